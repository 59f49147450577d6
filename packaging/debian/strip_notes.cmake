# Run by CPack on its staging tree before packing: strips the programs as
# Debian's own tools do, without the compiler's .comment and .note sections.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
if(NOT programs)
  message(FATAL_ERROR "no programs in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin")
endif()
foreach(program ${programs})
  execute_process(
    COMMAND ${CPACK_TT_STRIP} --remove-section=.comment --remove-section=.note --strip-unneeded ${program}
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "strip failed on ${program}")
  endif()
endforeach()
