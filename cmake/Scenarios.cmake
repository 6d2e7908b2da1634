# Every tests/scenarios/*.scenario is a CTest test of the Windows build: the
# real program under Wine with the stand-ins, driven by uidriver.exe, each in
# a fresh prefix on a private display (testenv/scenarios/run-scenario). The
# demo data comes from the native build's generator.
if(NOT (WIN32 AND CMAKE_CROSSCOMPILING))
  return()
endif()
# Holds a file open without sharing, as a running Palm Desktop does.
add_executable(holdfile ${CMAKE_SOURCE_DIR}/testenv/holdfile/HoldFile.cpp)

set(QS_NATIVE_BUILD ${CMAKE_SOURCE_DIR}/build/native CACHE PATH "The native build that holds quillset_demodata")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QS_SCENARIO_ARCH win64)
else()
  set(QS_SCENARIO_ARCH win32)
endif()
file(GLOB QS_SCENARIOS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/scenarios/*.scenario)
foreach(scenario ${QS_SCENARIOS})
  get_filename_component(name ${scenario} NAME_WE)
  add_test(NAME scenario_${name}
           COMMAND bash ${CMAKE_SOURCE_DIR}/testenv/scenarios/run-scenario --build ${CMAKE_BINARY_DIR}
                   --native-build ${QS_NATIVE_BUILD} --arch ${QS_SCENARIO_ARCH} ${scenario})
  set_tests_properties(scenario_${name} PROPERTIES TIMEOUT 300 LABELS scenario)
endforeach()
