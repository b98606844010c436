# The program's libraries stand in layers, each using only those below it:
#   core (Qt Core only, no display) < printing (Qt Gui, CUPS) < widgets < windows < startup.
# Within the core and the widgets, a library may also use one of its own layer declared before it,
# so no two libraries can use each other. A library names its layer and every library it uses.
# Each gets an include root of its own in the build tree, holding only its own folder, so a header
# of a library it does not link (itself or through what it links) is not found and the build
# fails. After every library is declared, tallymere_check_layers() fails the configure on a link
# of a library or of the program (tallymere_program) that runs up a layer, back to a library
# declared later, or from one window to another. The libraries, the program, the tests and the
# benchmarks have their includes checked before they are archived or linked
# (tallymere_check_includes).

set(TALLYMERE_LAYERS core printing widgets windows startup)

# tallymere_library(<target> LAYER <layer> SOURCES <files...> [LINK <libraries...>])
function(tallymere_library target)
  cmake_parse_arguments(ARG "" "LAYER" "SOURCES;LINK" ${ARGN})
  if(NOT ARG_LAYER IN_LIST TALLYMERE_LAYERS)
    message(FATAL_ERROR "${target}: LAYER must be one of ${TALLYMERE_LAYERS}")
  endif()
  add_library(${target} STATIC ${ARG_SOURCES})
  tallymere_include_root(${target} PUBLIC)
  target_link_libraries(${target} PUBLIC ${ARG_LINK})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set_target_properties(${target} PROPERTIES TALLYMERE_LAYER ${ARG_LAYER} TALLYMERE_FOLDER ${folder})
  set_property(GLOBAL APPEND PROPERTY TALLYMERE_LIBRARIES ${target})
  tallymere_check_includes(${target})
  tallymere_warnings(${target})
endfunction()

# The program, standing in the start-up layer: its links are checked as a library's are.
function(tallymere_program target)
  set_target_properties(${target} PROPERTIES TALLYMERE_LAYER startup)
  set_property(GLOBAL APPEND PROPERTY TALLYMERE_LIBRARIES ${target})
  tallymere_check_includes(${target})
endfunction()

# Before the target (a library, the program, a test or a benchmark) is archived or linked, its
# files are checked to include only from its own folder and those of the project libraries it
# links (cmake/CheckIncludes.cmake). The check is set up once the target's folder has been read,
# so that it sees every library linked to it there.
function(tallymere_check_includes target)
  # A deferred call reads its arguments when it runs: the name is written into it now.
  cmake_language(EVAL CODE "cmake_language(DEFER CALL tallymere_set_up_include_check ${target})")
endfunction()

function(tallymere_set_up_include_check target)
  file(RELATIVE_PATH allowed ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  get_target_property(links ${target} LINK_LIBRARIES)
  foreach(used ${links})
    if(TARGET ${used})
      get_target_property(folder ${used} TALLYMERE_FOLDER)
      if(folder)
        list(APPEND allowed ${folder})
      endif()
    endif()
  endforeach()
  get_target_property(files ${target} SOURCES)
  set(sources "")
  foreach(file ${files})
    if(file MATCHES "\\.(h|cpp)$")
      cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
      list(APPEND sources ${file})
    endif()
  endforeach()
  set(what ${CMAKE_CURRENT_BINARY_DIR}/${target}_includes.cmake)
  file(WRITE ${what} "set(ROOT \"${PROJECT_SOURCE_DIR}\")\nset(TARGET ${target})\n"
                     "set(ALLOWED \"${allowed}\")\nset(SOURCES \"${sources}\")\n")
  add_custom_command(TARGET ${target} PRE_LINK
    COMMAND ${CMAKE_COMMAND} -DWHAT=${what} -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    VERBATIM)
endfunction()

# The target's own include root: <build>/include/<target>/<folder>, a link to the source folder,
# so that its headers are included by their path from the top of the tree.
function(tallymere_include_root target scope)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} ${scope} ${root})
endfunction()

function(tallymere_layer_index target out)
  get_target_property(layer ${target} TALLYMERE_LAYER)
  list(FIND TALLYMERE_LAYERS "${layer}" index)
  set(${out} ${index} PARENT_SCOPE)
endfunction()

# Every project library, and the program, links down, and no window another.
function(tallymere_check_layers)
  get_property(targets GLOBAL PROPERTY TALLYMERE_LIBRARIES)
  foreach(target ${targets})
    tallymere_layer_index(${target} own)
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(used ${links})
      if(NOT TARGET ${used} OR NOT used IN_LIST targets)
        continue()
      endif()
      tallymere_layer_index(${used} theirs)
      get_target_property(layer ${target} TALLYMERE_LAYER)
      list(FIND targets ${target} ownOrder)
      list(FIND targets ${used} theirOrder)
      if(theirs GREATER own OR (theirs EQUAL own AND (layer STREQUAL "windows" OR
                                                      theirOrder GREATER ownOrder)))
        get_target_property(usedLayer ${used} TALLYMERE_LAYER)
        message(FATAL_ERROR "${target} (${layer}) links ${used} (${usedLayer}): a library uses "
                            "the layers below its own and, in its own layer, only libraries "
                            "declared before it; no window links another")
      endif()
    endforeach()
  endforeach()
endfunction()
