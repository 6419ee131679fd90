# The Qt window: the library orvane_window (every ui/*.cpp and ui/pages/*.cpp
# but main.cpp) and the program orvane, with its help pages copied beside it.
# Qt Widgets is linked here and nowhere else.
find_package(Qt6 REQUIRED COMPONENTS Widgets Svg WebEngineWidgets)

file(GLOB ORVANE_WINDOW_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/*.cpp ${CMAKE_CURRENT_LIST_DIR}/pages/*.cpp)
list(REMOVE_ITEM ORVANE_WINDOW_SOURCES ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
file(GLOB ORVANE_WINDOW_HEADERS CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/*.h ${CMAKE_CURRENT_LIST_DIR}/pages/*.h)

add_library(orvane_window STATIC ${ORVANE_WINDOW_SOURCES} ${ORVANE_WINDOW_HEADERS})
set_target_properties(orvane_window PROPERTIES AUTOMOC ON)
orvane_layer(orvane_window
  Qt6::Widgets Qt6::Svg Qt6::WebEngineWidgets
  orvane_ui_model orvane_smartformat orvane_variables orvane_platform orvane_platform_qt
  orvane_platform_web orvane_about orvane_tools orvane_webdata)

# The program's icon, drawn with Qt SVG (no image plug-in needed).
qt_add_resources(orvane_window orvane_icons
  PREFIX /orvane
  BASE ${CMAKE_CURRENT_LIST_DIR}/icons
  FILES ${CMAKE_CURRENT_LIST_DIR}/icons/orvane.svg)

add_executable(orvane ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(orvane PRIVATE orvane_window)
orvane_embed_version(orvane)

# The help pages live in "help" beside the program.
file(GLOB ORVANE_HELP_PAGES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/help/*)
set(ORVANE_HELP_STAMP ${CMAKE_CURRENT_BINARY_DIR}/help.stamp)
add_custom_command(
  OUTPUT ${ORVANE_HELP_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:orvane>/help
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ORVANE_HELP_PAGES} $<TARGET_FILE_DIR:orvane>/help/
  COMMAND ${CMAKE_COMMAND} -E touch ${ORVANE_HELP_STAMP}
  DEPENDS ${ORVANE_HELP_PAGES}
  COMMENT "Copying the help pages beside orvane")
add_custom_target(orvane_help DEPENDS ${ORVANE_HELP_STAMP})
add_dependencies(orvane orvane_help)
