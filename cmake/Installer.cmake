# Windows builds: the setup program quillset-setup.exe (NSIS), the small
# helper the install scenario needs, and that scenario as a CTest test.
if(NOT (WIN32 AND CMAKE_CROSSCOMPILING))
  return()
endif()

add_executable(installcheck testenv/install/InstallCheck.cpp)
target_link_libraries(installcheck PRIVATE ole32 uuid shell32 user32 version)

find_program(QS_MAKENSIS makensis)
if(NOT QS_MAKENSIS OR NOT TARGET qsohelp)
  message(STATUS "makensis (Debian's nsis) or chmcmd missing: quillset-setup.exe is not built")
  return()
endif()

set(QS_SETUP ${CMAKE_BINARY_DIR}/quillset-setup.exe)
add_custom_command(OUTPUT ${QS_SETUP}
                   COMMAND ${QS_MAKENSIS} -V2 -DQS_VERSION=${QUILLSET_VERSION} -DQS_PROGRAM=$<TARGET_FILE:quillset>
                           -DQS_HELP=${CMAKE_BINARY_DIR}/qsohelp.chm
                           -DQS_ICON=${CMAKE_SOURCE_DIR}/resources/images/application.ico
                           -DQS_OUTPUT=${QS_SETUP} ${CMAKE_SOURCE_DIR}/installer/quillset.nsi
                   DEPENDS quillset ${CMAKE_BINARY_DIR}/qsohelp.chm ${CMAKE_SOURCE_DIR}/installer/quillset.nsi
                           ${CMAKE_SOURCE_DIR}/installer/QuillsetVersion.h
                   COMMENT "Building quillset-setup.exe ${QUILLSET_VERSION}"
                   VERBATIM)
add_custom_target(setup ALL DEPENDS ${QS_SETUP})

# Silent install into a fresh prefix, the program from its Start menu
# shortcut with F1, an upgrade, a silent uninstall.
set(QS_NATIVE_BUILD ${CMAKE_SOURCE_DIR}/build/native CACHE PATH "The native build that holds quillset_demodata")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QS_INSTALL_ARCH win64)
else()
  set(QS_INSTALL_ARCH win32)
endif()
add_test(NAME install_scenario
         COMMAND bash ${CMAKE_SOURCE_DIR}/testenv/install/run-install-scenario --build ${CMAKE_BINARY_DIR}
                 --native-build ${QS_NATIVE_BUILD} --arch ${QS_INSTALL_ARCH})
set_tests_properties(install_scenario PROPERTIES TIMEOUT 600 LABELS scenario SKIP_RETURN_CODE 77)
