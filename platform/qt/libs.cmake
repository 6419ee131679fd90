# Qt Core for every implementation; add the modules a new file needs
# (Network, TextToSpeech, WebEngineCore) here, never Widgets.
find_package(Qt6 REQUIRED COMPONENTS Core)
get_target_property(_type orvane_platform_qt TYPE)
if(_type STREQUAL "INTERFACE_LIBRARY")
  target_link_libraries(orvane_platform_qt INTERFACE Qt6::Core)
else()
  target_link_libraries(orvane_platform_qt PUBLIC Qt6::Core)
  set_target_properties(orvane_platform_qt PROPERTIES AUTOMOC ON)
endif()
