# The port of the mail server as the configuration takes it: a number from 1
# to 65535, leading zeros allowed, or the configuration stops.
# cmake -DFOLDER=<scratch folder> -P build_values_port_test.cmake
include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/LumvikBuildValues.cmake")

# Run again with PORT for one configuration, so that a refusal ends only that run.
if(DEFINED PORT)
  set(LUMVIK_SMTP_PORT "${PORT}")
  lumvik_build_values("${FOLDER}")
  return()
endif()

function(configure_with port)
  file(REMOVE "${FOLDER}/help/build_values.h")
  execute_process(COMMAND "${CMAKE_COMMAND}" "-DPORT=${port}" "-DFOLDER=${FOLDER}"
                          -P "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
                  RESULT_VARIABLE result ERROR_VARIABLE error OUTPUT_QUIET)
  set(result "${result}" PARENT_SCOPE)
  set(error "${error}" PARENT_SCOPE)
endfunction()

foreach(port "" "0" "000" "65536" "99999999999999999999" "25a" "-25" " 25" "2 5" "0x19" "25.0")
  configure_with("${port}")
  if(result EQUAL 0 OR NOT error MATCHES "from 1[ \n]+to[ \n]+65535")
    message(SEND_ERROR "the port \"${port}\" was not refused: ${error}")
  endif()
endforeach()

foreach(pair "1=1" "25=25" "0025=25" "65535=65535")
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 port)
  list(GET pair 1 number)
  configure_with("${port}")
  set(header "")
  if(EXISTS "${FOLDER}/help/build_values.h")
    file(READ "${FOLDER}/help/build_values.h" header)
  endif()
  if(NOT result EQUAL 0 OR NOT header MATCHES "kSmtpPort = ${number};")
    message(SEND_ERROR "the port \"${port}\" was not written as ${number}: ${error}")
  endif()
endforeach()
