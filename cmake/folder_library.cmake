# Layers: every product folder is one library, and a library sees only the
# include folders of the libraries it may use.
#
# Include isolation: each target gets an include root of its own in the build
# tree, <build>/include/<target>/, holding one symbolic link per folder it
# exposes (<root>/engine -> <source>/engine, <root>/ui/model ->
# <source>/ui/model). A library exposes its folder PUBLIC (INTERFACE for a
# header-only folder) and links its allowed libraries PUBLIC, so a file
# compiles with its own folder and the folders of the libraries its library
# links, directly or through another one, and nothing else: the source root
# is on no include path. `#include "tools/md5_tools.h"` in smartformat/ is
# therefore "file not found", because orvane_smartformat does not link
# orvane_tools. The include style "folder/file.h" stays the same everywhere.
#
# The allowed links are the layer table (held by tests/layering/
# check_layers.py); the layering test checks every library's links recorded
# here and every #include of the product folders against it.

set(ORVANE_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include)

# orvane_expose(TARGET SCOPE FOLDER...): adds TARGET's include root with the
# scope PUBLIC, PRIVATE or INTERFACE and maps each FOLDER (a path relative to
# the project root) into it.
function(orvane_expose target scope)
  set(_root ${ORVANE_INCLUDE_ROOTS}/${target})
  foreach(_folder IN LISTS ARGN)
    set(_link ${_root}/${_folder})
    get_filename_component(_parent ${_link} DIRECTORY)
    file(MAKE_DIRECTORY ${_parent})
    # Made afresh at every configure, so a moved source tree is followed.
    file(REMOVE ${_link})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${_folder} ${_link} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${_root})
endfunction()

# orvane_layer(TARGET DEPS...): TARGET is the library of the calling folder
# (CMAKE_CURRENT_SOURCE_DIR): exposes that folder, links DEPS (libraries and
# imported targets) and records the links for the layering test.
function(orvane_layer target)
  file(RELATIVE_PATH _folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  get_target_property(_type ${target} TYPE)
  if(_type STREQUAL "INTERFACE_LIBRARY")
    set(_scope INTERFACE)
  else()
    set(_scope PUBLIC)
  endif()
  orvane_expose(${target} ${_scope} ${_folder})
  target_link_libraries(${target} ${_scope} ${ARGN})
  set_property(GLOBAL APPEND PROPERTY ORVANE_LAYER_LIBRARIES ${target})
  set_property(TARGET ${target} PROPERTY ORVANE_FOLDER ${_folder})
endfunction()

# orvane_folder_library(NAME DEPS...): every .cpp of the calling folder forms
# the static library NAME (an interface library while the folder has none),
# which exposes the folder and links DEPS. Extra link libraries of a folder
# (system and third-party ones) go in its libs.cmake, included after the
# library exists.
function(orvane_folder_library name)
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(_sources)
    add_library(${name} STATIC ${_sources})
  else()
    add_library(${name} INTERFACE)
  endif()
  orvane_layer(${name} ${ARGN})
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/libs.cmake)
    include(${CMAKE_CURRENT_SOURCE_DIR}/libs.cmake)
  endif()
endfunction()

# orvane_write_layer_links(FILE): writes one line per layer library,
# "<folder> <linked folder or other link>...", with every link the library
# has when the configuration is complete (libs.cmake ones included), for the
# layering test. Call it once, after every folder has been added.
function(orvane_write_layer_links file)
  get_property(_libraries GLOBAL PROPERTY ORVANE_LAYER_LIBRARIES)
  list(REMOVE_DUPLICATES _libraries)
  set(_text "")
  foreach(_lib IN LISTS _libraries)
    get_target_property(_folder ${_lib} ORVANE_FOLDER)
    set(_links "")
    foreach(_property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(_more ${_lib} ${_property})
      if(_more)
        list(APPEND _links ${_more})
      endif()
    endforeach()
    # Private links of a static library show as $<LINK_ONLY:name>.
    list(TRANSFORM _links REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1")
    list(REMOVE_DUPLICATES _links)
    set(_line ${_folder})
    foreach(_dep IN LISTS _links)
      if(TARGET ${_dep})
        get_target_property(_depFolder ${_dep} ORVANE_FOLDER)
        if(_depFolder)
          string(APPEND _line " ${_depFolder}")
          continue()
        endif()
      endif()
      string(APPEND _line " ${_dep}")
    endforeach()
    string(APPEND _text "${_line}\n")
  endforeach()
  file(WRITE ${file} "${_text}")
endfunction()
