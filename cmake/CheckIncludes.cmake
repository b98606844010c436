# Run before a library is archived: fails when one of its files includes a header of the project
# from a folder other than its own and those of the libraries it links. A header found through a
# library that a linked library uses is not enough: each library names what it uses.
#   cmake -DWHAT=<file setting ROOT, TARGET, ALLOWED (folders) and SOURCES> -P CheckIncludes.cmake
cmake_minimum_required(VERSION 3.25)
include(${WHAT})
foreach(source ${SOURCES})
  file(STRINGS ${source} includes REGEX "^#include \"[^\"]+/[^\"]+\"")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
    get_filename_component(folder ${header} DIRECTORY)
    if(EXISTS ${ROOT}/${header} AND NOT folder IN_LIST ALLOWED)
      message(FATAL_ERROR "${source} includes ${header}, but ${TARGET} does not link the "
                          "library of ${folder}/: add it to the library's LINK list")
    endif()
  endforeach()
endforeach()
