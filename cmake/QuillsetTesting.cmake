# GoogleTest: the system package natively; compiled from the sources that
# Debian's googletest package installs when cross-building for Windows.
if(CMAKE_CROSSCOMPILING)
  set(QS_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${QS_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QS_GTEST_LIBS gtest gmock gtest_main)
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  set(QS_GTEST_LIBS GTest::gtest GTest::gmock GTest::gtest_main)
endif()

# quillset_test_library(name folder deps...): shared helpers for the tests.
function(quillset_test_library name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN} ${QS_GTEST_LIBS})
endfunction()

# quillset_tests(name folder libs...): one GoogleTest executable per subsystem.
# Natively every test case is its own CTest test; cross-built, the whole
# executable is one test run through CMAKE_CROSSCOMPILING_EMULATOR (Wine).
function(quillset_tests name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} qs_testsupport ${QS_GTEST_LIBS})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
