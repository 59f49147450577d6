# Shared by the scripted-run checks: runs a script whose shots go to
# @SHOTS@ on the real program and data set, and checks the pictures.

# Runs the script FILE with its @SHOTS@ pointing into WORK/shots and its
# state in WORK/state (kept from run to run); the trace goes to the
# variable named by `out`.
function(run_script name file out)
  file(READ ${file} script)
  string(REPLACE "@SHOTS@" "${WORK}/shots" script "${script}")
  file(WRITE ${WORK}/${name}.txt "${script}")
  execute_process(
    COMMAND ${ZUBBATIK} --headless --script ${WORK}/${name}.txt --data-dir ${DATA} --state-dir ${WORK}/state
    OUTPUT_VARIABLE trace ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the ${name} ended with status ${status}\n${trace}\n${err}")
  endif()
  set(${out} "${trace}" PARENT_SCOPE)
endfunction()

# Starts WORK afresh.
function(fresh_work)
  file(REMOVE_RECURSE ${WORK})
  file(MAKE_DIRECTORY ${WORK}/shots ${WORK}/state)
endfunction()

# Runs SCRIPT from a fresh WORK.
function(run_scripted_shots name out)
  fresh_work()
  run_script(${name} ${SCRIPT} trace)
  set(${out} "${trace}" PARENT_SCOPE)
endfunction()

# Every shot of the script left a 630 x 440 PNG.
function(check_shots)
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
endfunction()
