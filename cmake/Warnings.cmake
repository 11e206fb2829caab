# Warnings are errors in the project's own code (never in third-party headers).
function(shelfkey_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
      -Wcast-qual -Wformat=2 -Wundef -Werror)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      # GCC 12 reports std::string concatenation at -O2 and above as
      # overlapping memcpy (GCC bug 105329), a false positive in its own headers.
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
  endif()
endfunction()
