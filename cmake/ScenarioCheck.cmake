# quillset_check, which the end-to-end scenarios run natively after the
# program ran under Wine: prints and compares a user's address files and the
# stand-in Outlook's contact file with the program's own readers.
if(NOT CMAKE_CROSSCOMPILING)
  add_library(qs_scenariocheck STATIC
    ${CMAKE_SOURCE_DIR}/testenv/scenariocheck/CheckCommand.cpp
    ${CMAKE_SOURCE_DIR}/testenv/scenariocheck/CheckComparison.cpp
    ${CMAKE_SOURCE_DIR}/testenv/scenariocheck/CheckRecord.cpp
    ${CMAKE_SOURCE_DIR}/testenv/scenariocheck/OutlookCheckFile.cpp
    ${CMAKE_SOURCE_DIR}/testenv/scenariocheck/PalmCheckFile.cpp)
  target_include_directories(qs_scenariocheck PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(qs_scenariocheck PUBLIC qs_fakeoutlook qs_palmstore qs_palm qs_platform)
  add_executable(quillset_check ${CMAKE_SOURCE_DIR}/testenv/scenariocheck/ScenarioCheckMain.cpp)
  target_link_libraries(quillset_check PRIVATE qs_scenariocheck)

  # The demo data gives the tests realistic files of both kinds.
  quillset_tests(scenariocheck_tests tests/scenariocheck qs_scenariocheck qs_demodata)
endif()
