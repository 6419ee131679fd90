# orvane_folder_library(NAME DEPS...): every .cpp of the calling folder forms the
# static library NAME (an interface library while the folder has none), public
# include root one level up, linked to DEPS. Extra link libraries of a folder go
# in its libs.cmake, included after the library exists.
function(orvane_folder_library name)
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER _sources EXCLUDE REGEX "_qt\\.cpp$")
  if(_sources)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/libs.cmake)
    include(${CMAKE_CURRENT_SOURCE_DIR}/libs.cmake)
  endif()
endfunction()
