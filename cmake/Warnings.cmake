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

# A static library of the project: the project's warnings, include root at the top of the tree.
function(tallymere_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_LINK})
  tallymere_warnings(${target})
endfunction()
