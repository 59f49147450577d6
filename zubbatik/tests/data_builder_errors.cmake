# Runs the data builder on broken copies of the sources: it must fail and
# say which file and line is wrong.
#   cmake -DZBDATA=... -DSOURCES=... -DWORK=... -P data_builder_errors.cmake
file(REMOVE_RECURSE ${WORK})
file(COPY ${SOURCES}/ DESTINATION ${WORK}/src)

# The line number the next appended line of a file will have.
function(next_line file out)
  file(READ ${file} text)
  string(REGEX MATCHALL "\n" newlines "${text}")
  list(LENGTH newlines n)
  math(EXPR n "${n} + 1")
  set(${out} ${n} PARENT_SCOPE)
endfunction()

set(lists ${WORK}/src/texts/lists.tsv)
next_line(${lists} snowman_line)
file(APPEND ${lists} "MDATA\\MSGS\\mnmnu\t9\tСнеговик ☃\tSnowman\tSchneemann\tBonhomme\n")
next_line(${lists} long_line)
file(APPEND ${lists} "MDATA\\MSGS\\mnmnu\t10\tОчень длинный пункт меню\tx\tx\tx\n")
set(letters ${WORK}/src/texts/letters.tsv)
next_line(${letters} letter_line)
file(APPEND ${letters} "amr\tfjы\n")
set(layout ${WORK}/src/keyboards/kbdeng.tsv)
next_line(${layout} key_line)
file(APPEND ${layout} "capslock\tΩ\n")

execute_process(COMMAND ${ZBDATA} --sources ${WORK}/src --out ${WORK}/out
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(status EQUAL 0)
  message(FATAL_ERROR "the builder accepted broken sources:\n${out}${err}")
endif()
foreach(expected
    "texts/lists.tsv:${snowman_line}: '☃' \\(U\\+2603\\) has no code in charset.tsv"
    "texts/lists.tsv:${long_line}: 'Очень длинный пункт меню' has 24 characters"
    "texts/letters.tsv:${letter_line}: no key of layout amr types 'ы'"
    "keyboards/kbdeng.tsv:${key_line}: 'Ω' \\(U\\+03A9\\) has no code in charset.tsv")
  if(NOT err MATCHES "${expected}")
    message(FATAL_ERROR "no error matching \"${expected}\" in:\n${err}")
  endif()
endforeach()
