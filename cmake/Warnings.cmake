# tt_warnings(target): the project's warning set on one target.
function(tt_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(TT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
