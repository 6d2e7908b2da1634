# The stand-in Outlook automation server for Wine (a COM in-process server
# over the in-memory Outlook, registered by scripts/install-outlook-standin),
# and a console check that reaches it through the program's own connector.
set(QS_OUTLOOK_STANDIN_SOURCE ${CMAKE_SOURCE_DIR}/testenv/outlookserver)

# 32-bit exports name their stdcall symbols (Name=Name@12); 64-bit code has
# no decoration, so there the list keeps the plain names.
set(QS_OUTLOOK_STANDIN_DEF ${QS_OUTLOOK_STANDIN_SOURCE}/outlookstandin.def)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  file(READ ${QS_OUTLOOK_STANDIN_DEF} QS_OUTLOOK_STANDIN_EXPORTS)
  string(REGEX REPLACE "=[A-Za-z0-9_]+@[0-9]+" "" QS_OUTLOOK_STANDIN_EXPORTS "${QS_OUTLOOK_STANDIN_EXPORTS}")
  set(QS_OUTLOOK_STANDIN_DEF ${CMAKE_BINARY_DIR}/outlookstandin/outlookstandin.def)
  file(WRITE ${QS_OUTLOOK_STANDIN_DEF} "${QS_OUTLOOK_STANDIN_EXPORTS}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QS_OUTLOOK_STANDIN_SOURCE}/outlookstandin.def)
endif()

# The IDispatch adapter on its own, so the Windows unit tests reach it too.
add_library(qs_outlookserver STATIC ${QS_OUTLOOK_STANDIN_SOURCE}/DispatchAdapter.cpp
                                    ${QS_OUTLOOK_STANDIN_SOURCE}/ServerSwitches.cpp)
target_include_directories(qs_outlookserver PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qs_outlookserver PUBLIC qs_fakeoutlook qs_outlook qs_platform ole32 oleaut32 uuid)
if(TARGET outlookserver_tests)
  target_link_libraries(outlookserver_tests PRIVATE qs_outlookserver)
endif()

add_library(outlookstandin MODULE ${QS_OUTLOOK_STANDIN_SOURCE}/OutlookServer.cpp ${QS_OUTLOOK_STANDIN_DEF})
set_target_properties(outlookstandin PROPERTIES PREFIX "" OUTPUT_NAME quillset-outlook-standin)
target_link_libraries(outlookstandin PRIVATE qs_outlookserver advapi32)

# The same stand-in as a local server, a process of its own (LocalServer32).
add_executable(outlookserver WIN32 ${QS_OUTLOOK_STANDIN_SOURCE}/LocalServer.cpp)
set_target_properties(outlookserver PROPERTIES OUTPUT_NAME quillset-outlook-server)
target_link_libraries(outlookserver PRIVATE qs_outlookserver advapi32)

# The driver reaches the running stand-in as a second client.
target_sources(uidriver PRIVATE ${CMAKE_SOURCE_DIR}/testenv/uidriver/OutlookControl.cpp)
target_link_libraries(uidriver PRIVATE ole32 oleaut32 uuid)

add_executable(outlookcheck ${QS_OUTLOOK_STANDIN_SOURCE}/outlookcheck.cpp)
target_link_libraries(outlookcheck PRIVATE qs_fakeoutlook qs_outlook qs_palmstore qs_platform ole32 oleaut32)
add_dependencies(outlookcheck outlookstandin)
