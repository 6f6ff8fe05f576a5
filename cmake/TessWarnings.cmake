# Warning flags shared by every target of the project.
function(tess_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  # g++ 12 reports false -Wrestrict overlaps inside std::string concatenation at -O2/-O3
  # (a known fault of that compiler's inliner); the warning says nothing about our code there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(TESS_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
