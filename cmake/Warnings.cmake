# Warnings are errors in the project's own code (never in third-party headers).
function(shelfkey_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
      -Wcast-qual -Wformat=2 -Wundef -Werror)
  endif()
endfunction()
