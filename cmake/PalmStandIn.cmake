# The stand-in Palm Desktop installation for Wine, built into
# <build>/palmdesktop/ (target palm_standin):
#   palm-3.4.9.exe ... palm-4.1.4.exe  palm.exe with that file version
#   palm-none.exe                      palm.exe without a version resource
#   condmgr.dll UserData.dll HSAPI.DLL instaide.dll
#   no-user-functions/UserData.dll     a user library without the five user functions
#   palmcheck.exe                      prints what an installation answers
# scripts/install-palm-desktop puts the chosen pieces into a Wine prefix.
enable_language(RC)

set(QS_PALM_STANDIN_SOURCE ${CMAKE_SOURCE_DIR}/testenv/palmdesktop)
set(QS_PALM_STANDIN_DIR ${CMAKE_BINARY_DIR}/palmdesktop)
# Generated resource scripts and import libraries, apart from what is copied.
set(QS_PALM_STANDIN_WORK ${CMAKE_BINARY_DIR}/palmdesktop-work)

add_custom_target(palm_standin)

function(qs_palm_standin_output target folder)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${folder}
    LIBRARY_OUTPUT_DIRECTORY ${folder}
    ARCHIVE_OUTPUT_DIRECTORY ${QS_PALM_STANDIN_WORK}/${target})
  add_dependencies(palm_standin ${target})
endfunction()

# qs_palm_standin_library(target file-name folder sources...): a DLL exporting
# its __declspec(dllexport) functions under undecorated names. Only 32-bit
# stdcall names carry a decoration (Name@8) for --kill-at to remove.
function(qs_palm_standin_library target file_name folder)
  add_library(${target} SHARED ${ARGN})
  get_filename_component(stem ${file_name} NAME_WE)
  get_filename_component(suffix ${file_name} EXT)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${stem} SUFFIX ${suffix} C_STANDARD 99)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE -Wl,--kill-at)
  endif()
  qs_palm_standin_output(${target} ${folder})
endfunction()

qs_palm_standin_library(qs_palm_condmgr condmgr.dll ${QS_PALM_STANDIN_DIR}
  ${QS_PALM_STANDIN_SOURCE}/condmgr.c)
qs_palm_standin_library(qs_palm_userdata UserData.dll ${QS_PALM_STANDIN_DIR}
  ${QS_PALM_STANDIN_SOURCE}/userdata.c ${QS_PALM_STANDIN_SOURCE}/UsersFile.c)
qs_palm_standin_library(qs_palm_userdata_without_users UserData.dll ${QS_PALM_STANDIN_DIR}/no-user-functions
  ${QS_PALM_STANDIN_SOURCE}/userdata.c)
target_compile_definitions(qs_palm_userdata_without_users PRIVATE QS_WITHOUT_USER_FUNCTIONS)
qs_palm_standin_library(qs_palm_hsapi HSAPI.DLL ${QS_PALM_STANDIN_DIR}
  ${QS_PALM_STANDIN_SOURCE}/hsapi.c)
qs_palm_standin_library(qs_palm_instaide instaide.dll ${QS_PALM_STANDIN_DIR}
  ${QS_PALM_STANDIN_SOURCE}/instaide.c)

# palm-<version>.exe with FILEVERSION a,b,c,0.
foreach(version 3.4.9 3.5.0 4.1.1 4.1.2 4.1.4)
  string(REPLACE "." "_" target_suffix ${version})
  string(REPLACE "." "," PALM_FILEVERSION "${version}.0")
  set(PALM_VERSION ${version})
  set(rc_file ${QS_PALM_STANDIN_WORK}/palm-${version}.rc)
  configure_file(${QS_PALM_STANDIN_SOURCE}/palm.rc.in ${rc_file} @ONLY)
  add_executable(qs_palm_${target_suffix} WIN32 ${QS_PALM_STANDIN_SOURCE}/palm.c ${rc_file})
  set_target_properties(qs_palm_${target_suffix} PROPERTIES OUTPUT_NAME palm-${version})
  qs_palm_standin_output(qs_palm_${target_suffix} ${QS_PALM_STANDIN_DIR})
endforeach()
add_executable(qs_palm_none WIN32 ${QS_PALM_STANDIN_SOURCE}/palm.c)
set_target_properties(qs_palm_none PROPERTIES OUTPUT_NAME palm-none)
qs_palm_standin_output(qs_palm_none ${QS_PALM_STANDIN_DIR})

add_executable(palmcheck ${QS_PALM_STANDIN_SOURCE}/palmcheck.c)
target_link_libraries(palmcheck PRIVATE version advapi32)
qs_palm_standin_output(palmcheck ${QS_PALM_STANDIN_DIR})
