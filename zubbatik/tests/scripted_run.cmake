# Runs zubbatik's scripted mode as a user of the command line would and
# checks its standard output, error output, exit status and saved files.
#   cmake -DZUBBATIK=... -DDATA=... -DWORK=... -P scripted_run.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run_script name script expected_status)
  file(WRITE ${WORK}/${name}.txt "${script}")
  execute_process(
    COMMAND ${ZUBBATIK} --headless --script ${WORK}/${name}.txt --data-dir ${DATA} --state-dir ${WORK}/state
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "${name}: exit status ${status}, expected ${expected_status}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# A run that only starts: the first states, and the two files saved at the
# implicit close.
run_script(start "# nothing but keys the opening panel ignores\nkey 1E\n\nup 2A\n" 0)
if(NOT out STREQUAL "state 1\nstate 5\n")
  message(FATAL_ERROR "start: unexpected output:\n${out}")
endif()
file(SIZE ${WORK}/state/Zubbatik.cfg cfg_size)
file(SIZE ${WORK}/state/Zubbatik.rdt rdt_size)
if(NOT cfg_size EQUAL 41 OR NOT rdt_size EQUAL 467)
  message(FATAL_ERROR "start: saved files of ${cfg_size} and ${rdt_size} bytes")
endif()

# A shot is a 630 x 440 PNG.
run_script(shot "shot ${WORK}/shot.png\nclose\n" 0)
file(READ ${WORK}/shot.png header LIMIT 24 HEX)
string(SUBSTRING "${header}" 32 16 size)
if(NOT header MATCHES "^89504e470d0a1a0a" OR NOT size STREQUAL "00000276000001b8")
  message(FATAL_ERROR "shot: not a 630 x 440 PNG: ${header}")
endif()

# Malformed lines name their line number and end the run with status 2.
foreach(bad "down" "down 1G" "down 100" "click 10" "click 630 5" "wait -1" "activate 2" "jump 3")
  run_script(bad "key 1E\n${bad}\n" 2)
  if(NOT err MATCHES "line 2")
    message(FATAL_ERROR "'${bad}': no line number in: ${err}")
  endif()
endforeach()

# Without the palette the program says which file and folder it misses.
file(MAKE_DIRECTORY ${WORK}/empty)
file(WRITE ${WORK}/close.txt "close\n")
execute_process(
  COMMAND ${ZUBBATIK} --headless --script ${WORK}/close.txt --data-dir ${WORK}/empty --state-dir ${WORK}/state
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT err MATCHES "Zubbatik.pal" OR NOT err MATCHES "empty")
  message(FATAL_ERROR "missing palette: status ${status}: ${err}")
endif()
