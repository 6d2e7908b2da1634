# Small Windows binaries that the tests read or load: programs that carry a
# version resource (and one that carries none), and stand-in Palm Desktop
# libraries. The MinGW tools make them in the native build as well as in the
# cross build; natively, without those tools, the tests that need them skip.

# Cross-built, the fixtures match the target (a 64-bit test build loads 64-bit
# libraries); natively they are 32-bit, as Palm Desktop's own are.
if(CMAKE_CROSSCOMPILING)
  set(QS_MINGW_GCC ${CMAKE_C_COMPILER})
  set(QS_MINGW_WINDRES ${CMAKE_RC_COMPILER})
else()
  find_program(QS_MINGW_GCC i686-w64-mingw32-gcc)
  find_program(QS_MINGW_WINDRES i686-w64-mingw32-windres)
endif()
if(NOT QS_MINGW_GCC OR NOT QS_MINGW_WINDRES)
  message(STATUS "MinGW tools not found: tests on Windows binaries will skip")
  return()
endif()

set(QS_PE_FIXTURE_SOURCE ${CMAKE_SOURCE_DIR}/tests/fixtures/pe)
set(QS_PE_FIXTURE_DIR ${CMAKE_BINARY_DIR}/fixtures/pe)
file(MAKE_DIRECTORY ${QS_PE_FIXTURE_DIR})
set(QS_PE_FIXTURES)

# 32-bit C symbols carry a leading underscore, 64-bit ones do not.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QS_FIXTURE_ENTRY entry)
else()
  set(QS_FIXTURE_ENTRY _entry)
endif()

# qs_pe_program(name rc-file): the tiny program with the resources of rc-file.
function(qs_pe_program name rc_file)
  set(output ${QS_PE_FIXTURE_DIR}/${name}.exe)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${QS_MINGW_WINDRES} -O coff -i ${rc_file} -o ${name}.res.o
    COMMAND ${QS_MINGW_GCC} -nostdlib -s -Wl,--entry=${QS_FIXTURE_ENTRY} -o ${output} ${QS_PE_FIXTURE_SOURCE}/tiny.c ${name}.res.o
    DEPENDS ${rc_file} ${QS_PE_FIXTURE_SOURCE}/tiny.c
    WORKING_DIRECTORY ${QS_PE_FIXTURE_DIR}
    COMMENT "Windows fixture ${name}.exe"
    VERBATIM)
  set(QS_PE_FIXTURES ${QS_PE_FIXTURES} ${output} PARENT_SCOPE)
endfunction()

# A .def file names the 32-bit stdcall symbols (Name=Name@8); 64-bit code has
# no decoration, so there the export list keeps the plain names only.
function(qs_export_definitions def_file result)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    get_filename_component(name ${def_file} NAME)
    file(READ ${def_file} text)
    string(REGEX REPLACE "=[A-Za-z0-9_]+@[0-9]+" "" text "${text}")
    set(plain ${CMAKE_BINARY_DIR}/exports64/${name})
    file(WRITE ${plain} "${text}")
    set(${result} ${plain} PARENT_SCOPE)
  else()
    set(${result} ${def_file} PARENT_SCOPE)
  endif()
endfunction()

# qs_pe_library(file-name source def-file): a DLL exporting what def-file names.
function(qs_pe_library file_name source def_file)
  qs_export_definitions(${def_file} def_file)
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
