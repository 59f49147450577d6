# Runs the program once and checks what it does.
#   PROGRAM    the program
#   ARGS       its arguments (a list)
#   SCRIPT     optional: the script is written to this file first ...
#   SCRIPT_TEXT   ... with this text (lines separated by "|")
#   STATUS     the exit status expected
#   EXPECTED   optional: a file standard output must equal
#   STDOUT_HAS optional: a text standard output must contain
#   STDERR_HAS optional: a text standard error must contain
#   PNG        optional: a file that must exist afterwards and be a PNG
#   DATA_HOME  optional: XDG_DATA_HOME of the run, emptied first, so that the
#              program's history starts afresh and never lands in the real
#              home
if(DEFINED SCRIPT)
  string(REPLACE "|" "\n" text "${SCRIPT_TEXT}")
  file(WRITE "${SCRIPT}" "${text}\n")
endif()
if(DEFINED PNG)
  file(REMOVE "${PNG}")
endif()
set(env)
if(DEFINED DATA_HOME)
  file(REMOVE_RECURSE "${DATA_HOME}")
  file(MAKE_DIRECTORY "${DATA_HOME}")
  set(env ${CMAKE_COMMAND} -E env "XDG_DATA_HOME=${DATA_HOME}")
endif()
execute_process(
  COMMAND ${env} ${PROGRAM} ${ARGS}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT status STREQUAL "${STATUS}")
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED EXPECTED)
  file(READ "${EXPECTED}" expected)
  if(NOT out STREQUAL expected)
    file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/actual.out" "${out}")
    execute_process(COMMAND diff -u "${EXPECTED}" "${CMAKE_CURRENT_BINARY_DIR}/actual.out")
    message(FATAL_ERROR "standard output differs from ${EXPECTED}; written to "
                        "${CMAKE_CURRENT_BINARY_DIR}/actual.out")
  endif()
endif()
if(DEFINED STDOUT_HAS)
  string(FIND "${out}" "${STDOUT_HAS}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "standard output lacks '${STDOUT_HAS}':\n${out}")
  endif()
endif()
if(DEFINED STDERR_HAS)
  string(FIND "${err}" "${STDERR_HAS}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "standard error lacks '${STDERR_HAS}':\n${err}")
  endif()
endif()
if(DEFINED PNG)
  if(NOT EXISTS "${PNG}")
    message(FATAL_ERROR "${PNG} was not written")
  endif()
  file(READ "${PNG}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "89504e47")
    message(FATAL_ERROR "${PNG} is not a PNG")
  endif()
endif()
