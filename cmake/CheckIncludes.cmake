# Run before a target is linked: fails when one of its files includes a header of the project from
# a folder other than its own and those of the project libraries it links (or a folder below one
# of them). Every way of naming a header counts: "a/b.h" or <a/b.h> from the top of the tree,
# "b.h" or "../a/b.h" from the including file's folder, with blanks before or after the "#". A
# header found through a library that a linked library uses is not enough: each target names what
# it uses.
#   cmake -DWHAT=<file setting ROOT, TARGET, ALLOWED (folders) and SOURCES> -P CheckIncludes.cmake
cmake_minimum_required(VERSION 3.25)
include(${WHAT})

# The folder, from the top of the tree, of the project file `header` that `source` includes, or
# empty for a header from elsewhere (Qt, the system, a test helper found on its include path).
function(project_folder source header out)
  set(${out} "" PARENT_SCOPE)
  get_filename_component(here ${source} DIRECTORY)
  foreach(base ${here} ${ROOT})
    cmake_path(ABSOLUTE_PATH header BASE_DIRECTORY ${base} NORMALIZE OUTPUT_VARIABLE path)
    cmake_path(IS_PREFIX ROOT ${path} NORMALIZE inside)
    if(inside AND EXISTS ${path} AND NOT IS_DIRECTORY ${path})
      file(RELATIVE_PATH relative ${ROOT} ${path})
      get_filename_component(folder ${relative} DIRECTORY)
      set(${out} ${folder} PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

function(is_allowed folder out)
  set(${out} FALSE PARENT_SCOPE)
  foreach(root ${ALLOWED})
    string(FIND "${folder}/" "${root}/" at)
    if(at EQUAL 0)
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

set(directive "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
foreach(source ${SOURCES})
  file(STRINGS ${source} includes REGEX "${directive}")
  foreach(line ${includes})
    string(REGEX REPLACE "${directive}.*" "\\1" header "${line}")
    project_folder(${source} ${header} folder)
    if(folder STREQUAL "")
      continue()
    endif()
    is_allowed(${folder} allowed)
    if(NOT allowed)
      message(FATAL_ERROR "${source} includes ${header}, but ${TARGET} does not link the "
                          "library of ${folder}/: add it to the target's libraries")
    endif()
  endforeach()
endforeach()
