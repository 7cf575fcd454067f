# The program folder a user unpacks: the executables beside the contents of
# dist/ (language file, settings, skins, themes, help pages), in
# <build>/program, made by every Windows build.

function(lumvik_program_folder)
  set(folder "${CMAKE_BINARY_DIR}/program")
  set(copies)
  foreach(program ${ARGN})
    list(APPEND copies COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:${program}>" "${folder}/")
  endforeach()
  add_custom_target(program_folder ALL
    COMMAND "${CMAKE_COMMAND}" -E rm -rf "${folder}"
    COMMAND "${CMAKE_COMMAND}" -E copy_directory "${CMAKE_SOURCE_DIR}/dist" "${folder}"
    ${copies}
    DEPENDS ${ARGN}
    COMMENT "Assembling the program folder"
    VERBATIM)
endfunction()
