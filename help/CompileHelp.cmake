# cmake -DCHMCMD=... -DSTAGE=<staged help> -DOUTPUT=<qsohelp.chm> -P CompileHelp.cmake
# Compiles the staged help project. chmcmd reports a missing page or picture
# only as a warning and still succeeds; here any warning fails the build.
execute_process(COMMAND ${CHMCMD} qsohelp.hhp
                WORKING_DIRECTORY ${STAGE}
                RESULT_VARIABLE result
                OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "chmcmd failed (${result}):\n${output}")
endif()
if(output MATCHES "(Warning|Error)[^\n]*")
  message(FATAL_ERROR "chmcmd: ${CMAKE_MATCH_0}\n${output}")
endif()
if(NOT EXISTS ${STAGE}/qsohelp.chm)
  message(FATAL_ERROR "chmcmd wrote no qsohelp.chm:\n${output}")
endif()
file(COPY_FILE ${STAGE}/qsohelp.chm ${OUTPUT} ONLY_IF_DIFFERENT)
