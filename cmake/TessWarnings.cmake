# Warning flags shared by every target of the project.
function(tess_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(TESS_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
