# Runs the scripted lesson on the real program and data set and checks its
# trace: the lesson's sub-states ("lesson N") between the script's marks,
# the screens' states ("state N") around it, and a 630 x 440 picture for
# every shot.
#   cmake -DZUBBATIK=... -DDATA=... -DSCRIPT=... -DWORK=... -P lesson.cmake
include(${CMAKE_CURRENT_LIST_DIR}/scripted_shots.cmake)
run_scripted_shots(lesson out)
file(WRITE ${WORK}/trace.txt "${out}")

# The part of the trace from "mark <from>" to the next mark (or the end),
# as the numbers of its lines of one kind ("lesson" or "state"), joined
# by spaces.
function(section kind from result)
  string(FIND "${out}" "mark ${from}\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "no mark ${from} in the trace")
  endif()
  string(SUBSTRING "${out}" ${start} -1 rest)
  string(LENGTH "mark ${from}\n" skip)
  string(SUBSTRING "${rest}" ${skip} -1 rest)
  string(FIND "${rest}" "mark " stop)
  if(NOT stop EQUAL -1)
    string(SUBSTRING "${rest}" 0 ${stop} rest)
  endif()
  string(REGEX MATCHALL "${kind} [0-9]+" lines "${rest}")
  string(REPLACE "${kind} " "" lines "${lines}")
  string(REPLACE ";" " " lines "${lines}")
  set(${result} "${lines}" PARENT_SCOPE)
endfunction()

function(expect what actual expected)
  if(NOT "${actual}" STREQUAL "${expected}")
    message(FATAL_ERROR "${what}:\n  ${actual}\nexpected:\n  ${expected}\n\n${out}")
  endif()
endfunction()

# Into the lesson: the notice, the hands, the board.
string(FIND "${out}" "mark alone" alone)
string(SUBSTRING "${out}" 0 ${alone} opening)
string(REGEX MATCHALL "(state|lesson) [0-9]+" opening "${opening}")
string(REPLACE ";" " " opening "${opening}")
if(NOT opening MATCHES "state 12 state 60 lesson 90 lesson 100 lesson 110 lesson 111 lesson 120 lesson 121 lesson 130 lesson 131$")
  message(FATAL_ERROR "the lesson did not open through notice, hands and board:\n  ${opening}")
endif()

# A letter on its finger's home key is pressed in place; any other
# letter's finger lifts, glides there, presses, and glides home.
set(inPlace "200 202 203 235 250 206 245 205 210 131")
set(glide "200 202 203 220 225 230 235 250 206 245 220 225 230 205 210 131")

# Left alone: the first letters of the French sequence (f j d k...) one
# after another, all pressed in place.
section(lesson alone lessonAlone)
string(REGEX MATCHALL "${inPlace}" demonstrations "${lessonAlone}")
list(LENGTH demonstrations count)
if(count LESS 3)
  message(FATAL_ERROR "left alone, the lesson showed ${count} letters:\n  ${lessonAlone}")
endif()
string(REPLACE "${inPlace}" "" leftOver "${lessonAlone}")
string(STRIP "${leftOver}" leftOver)
expect("left alone, the lesson did something else too" "${leftOver}" "")

section(lesson arrows lessonArrows)
expect("the last letter (à, on the top row) picked with the arrows" "${lessonArrows}" "${glide}")
section(lesson enter lessonEnter)
expect("the first letter (f) shown by Enter" "${lessonEnter}" "${inPlace}")
section(lesson mouse lessonMouse)
expect("g clicked once to select it, once to show it" "${lessonMouse}" "${glide}")
section(lesson typed lessonTyped)
expect("r typed on the keyboard" "${lessonTyped}" "${glide}")
section(lesson close lessonClose)
expect("Esc closes the board" "${lessonClose}" "132 150")
section(state close stateClose)
expect("from the lesson to the main menu" "${stateClose}" "10 20")
section(state exit stateExit)
expect("out by the exit item" "${stateExit}" "19 37 2")

check_shots()
