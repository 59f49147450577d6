# Runs the menu tour on the real program and data set and checks that it
# goes through every menu state, ends by the exit item and leaves a
# 630 x 440 picture for every shot.
#   cmake -DZUBBATIK=... -DDATA=... -DSCRIPT=... -DWORK=... -P menu_tour.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/shots ${WORK}/state)
file(READ ${SCRIPT} script)
string(REPLACE "@SHOTS@" "${WORK}/shots" script "${script}")
file(WRITE ${WORK}/tour.txt "${script}")

execute_process(
  COMMAND ${ZUBBATIK} --headless --script ${WORK}/tour.txt --data-dir ${DATA} --state-dir ${WORK}/state
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the tour ended with status ${status}\n${out}\n${err}")
endif()

# Standard output says "state N" at every state entered (and "sound" for
# every click heard).
string(REGEX MATCHALL "state [0-9]+" visited "${out}")
string(REPLACE "state " "" visited "${visited}")
string(REPLACE ";" " " visited "${visited}")
set(expected "1 5 6 7 20 13 21 31 20 14 22 32 20 15 23 33 20 16 34 20 17 35 20 18 160 210 20 19 37 2")
if(NOT visited STREQUAL expected)
  message(FATAL_ERROR "states visited:\n  ${visited}\nexpected:\n  ${expected}")
endif()

file(READ ${SCRIPT} raw)
string(REGEX MATCHALL "@SHOTS@/[^\n]+\\.png" shots "${raw}")
list(LENGTH shots count)
foreach(shot IN LISTS shots)
  string(REPLACE "@SHOTS@" "${WORK}/shots" file "${shot}")
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "no picture ${file}")
  endif()
  file(READ ${file} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 32 16 size)
  if(NOT size STREQUAL "00000276000001b8")
    message(FATAL_ERROR "${file} is not a 630 x 440 picture")
  endif()
endforeach()
message(STATUS "${count} pictures in ${WORK}/shots")
