# Two runs of the program with one state folder: the choices of the first
# (English, German layout, level 5, sound on) are saved at its exit and
# are what the second starts with.
#   cmake -DZUBBATIK=... -DDATA=... -DSCREENS=... -DWORK=... -P next_run.cmake
include(${CMAKE_CURRENT_LIST_DIR}/scripted_shots.cmake)
fresh_work()

# Settings payload bytes: language at 0, sound at 1 (4 bytes), layout at
# 10, level at 11; the payload starts at byte 7 of the file.
function(expect_settings when)
  file(READ ${WORK}/state/Zubbatik.cfg cfg HEX)
  string(SUBSTRING "${cfg}" 14 2 language)
  string(SUBSTRING "${cfg}" 16 8 sound)
  string(SUBSTRING "${cfg}" 34 2 layout)
  string(SUBSTRING "${cfg}" 36 2 level)
  if(NOT language STREQUAL "01" OR NOT sound STREQUAL "01000000" OR NOT layout STREQUAL "02"
     OR NOT level STREQUAL "05")
    message(FATAL_ERROR "${when}: language ${language}, sound ${sound}, layout ${layout}, level ${level}")
  endif()
endfunction()

run_script(first_run ${SCREENS}/first_run.script out)
if(NOT out MATCHES "state 18\nstate 160\n.*state 19\nstate 37\nstate 2\n$")
  message(FATAL_ERROR "first run: did not see the records and leave by the exit:\n${out}")
endif()
expect_settings("after the first run")

run_script(next_run ${SCREENS}/next_run.script out)
expect_settings("after the next run, which took the preselected language")
foreach(shot first-run-records next-run-language next-run-main)
  if(NOT EXISTS ${WORK}/shots/${shot}.png)
    message(FATAL_ERROR "no picture ${shot}.png")
  endif()
endforeach()
