# orvane_add_qt_test(NAME SOURCES... LIBS libs...): a GoogleTest program that
# runs inside a QCoreApplication (qt_test_main.cpp), with the local HTTP server
# helper on its include path; registered with CTest like orvane_add_test.
find_package(Qt6 REQUIRED COMPONENTS Core Network)
function(orvane_add_qt_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/qt_test_main.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Core Qt6::Network GTest::gtest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
