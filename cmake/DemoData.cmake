# The demo data of the stand-ins: a generator that writes the demo users'
# address files with the program's own writers and the stand-in Outlook's
# contacts with the contact file's writer (run natively by
# scripts/install-palm-desktop and the scenarios; it builds for Windows as
# well).
add_library(qs_demodata STATIC
  ${CMAKE_SOURCE_DIR}/testenv/demodata/DemoContacts.cpp
  ${CMAKE_SOURCE_DIR}/testenv/demodata/DemoDataWriter.cpp
  ${CMAKE_SOURCE_DIR}/testenv/demodata/DemoOutlookContacts.cpp)
target_link_libraries(qs_demodata PUBLIC qs_fakeoutlook qs_palmstore)
add_executable(quillset_demodata ${CMAKE_SOURCE_DIR}/testenv/demodata/DemoDataGenerator.cpp)
target_link_libraries(quillset_demodata PRIVATE qs_demodata)

# The stand-in user library's users-file parser is portable C, so its tests
# run in every build; this file is the one every build reads. The tests also
# read the demo data back through that parser and the program's own reader,
# and load the demo Outlook contacts through the program's own connector.
add_library(qs_palm_users_file STATIC ${CMAKE_SOURCE_DIR}/testenv/palmdesktop/UsersFile.c)
target_include_directories(qs_palm_users_file PUBLIC ${CMAKE_SOURCE_DIR})
if(TARGET palmdesktop_tests)
  target_link_libraries(palmdesktop_tests PRIVATE qs_palm_users_file qs_demodata qs_fakeoutlook qs_outlook qs_palmstore)
endif()
