# Runs the menu tour on the real program and data set and checks that it
# goes through every menu state, ends by the exit item and leaves a
# 630 x 440 picture for every shot.
#   cmake -DZUBBATIK=... -DDATA=... -DSCRIPT=... -DWORK=... -P menu_tour.cmake
include(${CMAKE_CURRENT_LIST_DIR}/scripted_shots.cmake)
run_scripted_shots(tour out)

# Standard output says "state N" at every state entered (and "sound" for
# every click heard).
string(REGEX MATCHALL "state [0-9]+" visited "${out}")
string(REPLACE "state " "" visited "${visited}")
string(REPLACE ";" " " visited "${visited}")
set(expected "1 5 6 7 20 13 21 31 20 14 22 32 20 15 23 33 20 16 34 20 17 35 20 18 160 210 20 19 37 2")
if(NOT visited STREQUAL expected)
  message(FATAL_ERROR "states visited:\n  ${visited}\nexpected:\n  ${expected}")
endif()

check_shots()
