# The build's fixed values (the feedback mail's server, port, account,
# password and addresses, the web pages, the about box's lines) as C++ sees
# them.

# lumvik_build_values(FOLDER): FOLDER/help/build_values.h from the LUMVIK_*
# values in scope. Each text is escaped, so that the string literal holds it
# byte for byte, whatever quotes and backslashes a password has; a port that
# is not a number from 1 to 65535 stops the configuration.
function(lumvik_build_values folder)
  foreach(name SMTP_SERVER SMTP_ACCOUNT SMTP_PASSWORD MAIL_FROM MAIL_TO WEB_HOME WEB_SUPPORT
               ABOUT_AUTHOR ABOUT_TOOL)
    set(value "${LUMVIK_${name}}")
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REPLACE "\"" "\\\"" value "${value}")
    string(REPLACE "\n" "\\n" value "${value}")
    string(REPLACE "\r" "\\r" value "${value}")
    # "??" would start a trigraph, which the compiler warns about.
    string(REPLACE "?" "\\?" value "${value}")
    set(LUMVIK_${name} "${value}")
  endforeach()
  # Leading zeros would make the number octal in C++.
  string(REGEX REPLACE "^0+([0-9])" "\\1" port "${LUMVIK_SMTP_PORT}")
  if(NOT port MATCHES "^[0-9]+$" OR port LESS 1 OR port GREATER 65535)
    message(FATAL_ERROR "LUMVIK_SMTP_PORT is \"${LUMVIK_SMTP_PORT}\": the mail server's port "
                        "must be a number from 1 to 65535")
  endif()
  set(LUMVIK_SMTP_PORT "${port}")
  configure_file("${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../help/build_values.h.in"
                 "${folder}/help/build_values.h" @ONLY)
endfunction()
