# Small Windows binaries that the tests read or load: programs that carry a
# version resource (and one that carries none), and stand-in Palm Desktop
# libraries. The MinGW tools make them in the native build as well as in the
# cross build; natively, without those tools, the tests that need them skip.

find_program(QS_MINGW_GCC i686-w64-mingw32-gcc)
find_program(QS_MINGW_WINDRES i686-w64-mingw32-windres)
if(NOT QS_MINGW_GCC OR NOT QS_MINGW_WINDRES)
  message(STATUS "MinGW tools not found: tests on Windows binaries will skip")
  return()
endif()

set(QS_PE_FIXTURE_SOURCE ${CMAKE_SOURCE_DIR}/tests/fixtures/pe)
set(QS_PE_FIXTURE_DIR ${CMAKE_BINARY_DIR}/fixtures/pe)
file(MAKE_DIRECTORY ${QS_PE_FIXTURE_DIR})
set(QS_PE_FIXTURES)

# qs_pe_program(name rc-file): the tiny program with the resources of rc-file.
function(qs_pe_program name rc_file)
  set(output ${QS_PE_FIXTURE_DIR}/${name}.exe)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${QS_MINGW_WINDRES} -O coff -i ${rc_file} -o ${name}.res.o
    COMMAND ${QS_MINGW_GCC} -nostdlib -s -Wl,--entry=_entry -o ${output} ${QS_PE_FIXTURE_SOURCE}/tiny.c ${name}.res.o
    DEPENDS ${rc_file} ${QS_PE_FIXTURE_SOURCE}/tiny.c
    WORKING_DIRECTORY ${QS_PE_FIXTURE_DIR}
    COMMENT "Windows fixture ${name}.exe"
    VERBATIM)
  set(QS_PE_FIXTURES ${QS_PE_FIXTURES} ${output} PARENT_SCOPE)
endfunction()

# qs_pe_library(file-name source def-file): a DLL exporting what def-file names.
function(qs_pe_library file_name source def_file)
  set(output ${QS_PE_FIXTURE_DIR}/${file_name})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${QS_MINGW_GCC} -shared -s -O1 -static-libgcc -o ${output} ${source} ${def_file}
    DEPENDS ${source} ${def_file}
    WORKING_DIRECTORY ${QS_PE_FIXTURE_DIR}
    COMMENT "Windows fixture ${file_name}"
    VERBATIM)
  set(QS_PE_FIXTURES ${QS_PE_FIXTURES} ${output} PARENT_SCOPE)
endfunction()

# version-A-B-C-D.exe carries FILEVERSION A,B,C,D.
foreach(name version-4-1-2-0 version-3-5-0-0 version-4-0-9-9)
  string(REPLACE "version-" "" FIXTURE_VERSION ${name})
  string(REPLACE "-" "," FIXTURE_VERSION ${FIXTURE_VERSION})
  configure_file(${QS_PE_FIXTURE_SOURCE}/version.rc.in ${QS_PE_FIXTURE_DIR}/${name}.rc @ONLY)
  qs_pe_program(${name} ${QS_PE_FIXTURE_DIR}/${name}.rc)
endforeach()
qs_pe_program(no-version ${QS_PE_FIXTURE_SOURCE}/strings.rc)

qs_pe_library(UserData.dll ${QS_PE_FIXTURE_SOURCE}/userdata.c ${QS_PE_FIXTURE_SOURCE}/userdata.def)
qs_pe_library(otherlibrary.dll ${QS_PE_FIXTURE_SOURCE}/otherlibrary.c ${QS_PE_FIXTURE_SOURCE}/otherlibrary.def)

add_custom_target(qs_pe_fixtures DEPENDS ${QS_PE_FIXTURES})

# The tests find the fixtures through QS_PE_FIXTURE_DIR (ending in a
# separator). Under Wine the build folder is reached through drive Z:.
if(CMAKE_CROSSCOMPILING)
  set(fixture_dir_for_tests "Z:${QS_PE_FIXTURE_DIR}/")
else()
  set(fixture_dir_for_tests "${QS_PE_FIXTURE_DIR}/")
endif()
foreach(test_target palm_tests platform_tests)
  if(TARGET ${test_target})
    add_dependencies(${test_target} qs_pe_fixtures)
    target_compile_definitions(${test_target} PRIVATE QS_PE_FIXTURE_DIR="${fixture_dir_for_tests}")
  endif()
endforeach()
