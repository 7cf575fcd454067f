# Compiler settings shared by every target of the project.

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Werror)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12 reports impossible overlaps inside std::string's own inlined copies
  # (GCC bug 105329) wherever strings are concatenated at -O2 and above.
  add_compile_options(-Wno-restrict)
endif()

if(WIN32)
  # The ANSI functions of the API, and executables that need no MinGW DLLs.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(LUMVIK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(LUMVIK_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# lumvik_library(NAME SOURCES... [LIBS ...]): a static library of the core.
function(lumvik_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()
