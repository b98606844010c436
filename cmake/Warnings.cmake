# The project's own builds (README commands, scripts, CI) turn warnings into errors with
# TALLYMERE_WERROR=ON. It is off by default so that a packager's build with a newer compiler
# never fails on a warning that compiler adds.
option(TALLYMERE_WERROR "Treat compiler warnings as errors" OFF)

function(tallymere_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  if(TALLYMERE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
