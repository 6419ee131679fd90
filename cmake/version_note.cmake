# The four version numbers of the project, embedded in every executable as an
# ELF note so that the program can read the version of any file.
set(ORVANE_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(ORVANE_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(ORVANE_VERSION_PATCH ${PROJECT_VERSION_PATCH})
set(ORVANE_VERSION_BUILD ${PROJECT_VERSION_TWEAK})

foreach(_part MAJOR MINOR PATCH BUILD)
  if("${ORVANE_VERSION_${_part}}" STREQUAL "")
    set(ORVANE_VERSION_${_part} 0)
  endif()
  # A version field holds 16 bits.
  if(ORVANE_VERSION_${_part} GREATER 65535)
    message(FATAL_ERROR "Version number ${_part} (${ORVANE_VERSION_${_part}}) is above 65535")
  endif()
endforeach()

set(ORVANE_VERSION_NOTE_SOURCE ${CMAKE_BINARY_DIR}/generated/orvane_version_note.cpp)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version_note.cpp.in ${ORVANE_VERSION_NOTE_SOURCE} @ONLY)

# orvane_embed_version(target): links the version note into an executable.
# Safe to call more than once for the same target.
function(orvane_embed_version target)
  get_target_property(_done ${target} ORVANE_VERSION_EMBEDDED)
  if(_done)
    return()
  endif()
  target_sources(${target} PRIVATE ${ORVANE_VERSION_NOTE_SOURCE})
  set_target_properties(${target} PROPERTIES ORVANE_VERSION_EMBEDDED TRUE)
endfunction()
