# The program's HTML Help, "qsohelp.chm": the pages of help/ are staged into
# the build with the version filled in, then compiled with chmcmd beside the
# program. Natively, the help checks run as tests. The setup program and its
# scenario come with the Windows build (cmake/Installer.cmake).

# The version, from the one header that holds it.
file(STRINGS ${CMAKE_SOURCE_DIR}/installer/QuillsetVersion.h QS_VERSION_LINES
     REGEX "^#define QUILLSET_VERSION_(MAJOR|MINOR|PATCH|BUILD) [0-9]+")
foreach(part MAJOR MINOR PATCH BUILD)
  string(REGEX MATCH "QUILLSET_VERSION_${part} ([0-9]+)" found "${QS_VERSION_LINES}")
  if(NOT found)
    message(FATAL_ERROR "installer/QuillsetVersion.h gives no QUILLSET_VERSION_${part}")
  endif()
  set(QS_VERSION_${part} ${CMAKE_MATCH_1})
endforeach()
set(QUILLSET_VERSION "${QS_VERSION_MAJOR}.${QS_VERSION_MINOR}.${QS_VERSION_PATCH}.${QS_VERSION_BUILD}")

# Staging: texts get @QUILLSET_VERSION@ replaced; pictures are copied.
set(QS_HELP_SOURCE ${CMAKE_SOURCE_DIR}/help)
set(QS_HELP_STAGE ${CMAKE_BINARY_DIR}/help)
file(GLOB QS_HELP_TEXTS CONFIGURE_DEPENDS RELATIVE ${QS_HELP_SOURCE}
     ${QS_HELP_SOURCE}/*.hhp ${QS_HELP_SOURCE}/*.hhc ${QS_HELP_SOURCE}/*.hhk ${QS_HELP_SOURCE}/*.css
     ${QS_HELP_SOURCE}/*.htm)
file(GLOB QS_HELP_PICTURES CONFIGURE_DEPENDS RELATIVE ${QS_HELP_SOURCE} ${QS_HELP_SOURCE}/images/*.png)
file(REMOVE_RECURSE ${QS_HELP_STAGE})
set(QS_HELP_STAGED)
foreach(name ${QS_HELP_TEXTS})
  configure_file(${QS_HELP_SOURCE}/${name} ${QS_HELP_STAGE}/${name} @ONLY NEWLINE_STYLE CRLF)
  list(APPEND QS_HELP_STAGED ${QS_HELP_STAGE}/${name})
endforeach()
foreach(name ${QS_HELP_PICTURES})
  configure_file(${QS_HELP_SOURCE}/${name} ${QS_HELP_STAGE}/${name} COPYONLY)
  list(APPEND QS_HELP_STAGED ${QS_HELP_STAGE}/${name})
endforeach()

find_program(QS_CHMCMD chmcmd)
if(QS_CHMCMD)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/qsohelp.chm
                     COMMAND ${CMAKE_COMMAND} -DCHMCMD=${QS_CHMCMD} -DSTAGE=${QS_HELP_STAGE}
                             -DOUTPUT=${CMAKE_BINARY_DIR}/qsohelp.chm -P ${QS_HELP_SOURCE}/CompileHelp.cmake
                     DEPENDS ${QS_HELP_STAGED} ${QS_HELP_SOURCE}/CompileHelp.cmake
                     COMMENT "Compiling qsohelp.chm"
                     VERBATIM)
  add_custom_target(qsohelp ALL DEPENDS ${CMAKE_BINARY_DIR}/qsohelp.chm)
  find_program(QS_CHMLS chmls)
  if(QS_CHMLS)
    add_test(NAME qsohelp_compiled
             COMMAND ${CMAKE_COMMAND} -DCHMLS=${QS_CHMLS} -DSTAGE=${QS_HELP_STAGE} -DCHM=${CMAKE_BINARY_DIR}/qsohelp.chm
                     -DWORK=${CMAKE_BINARY_DIR}/qsohelp-check -P ${QS_HELP_SOURCE}/CheckCompiledHelp.cmake)
  endif()
else()
  message(STATUS "chmcmd (Debian's fp-utils) not found: qsohelp.chm is not built")
endif()

if(NOT CMAKE_CROSSCOMPILING)
  quillset_library(qs_helpcheck help/check)
  quillset_tests(help_tests help/tests qs_helpcheck)
  target_compile_definitions(help_tests PRIVATE QS_HELP_DIR="${QS_HELP_STAGE}" QS_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()

include(${CMAKE_SOURCE_DIR}/cmake/Installer.cmake OPTIONAL)
