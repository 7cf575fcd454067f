# GoogleTest for this target, and tests that run natively or under Wine.

set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)

if(CMAKE_CROSSCOMPILING AND WIN32)
  # Windows tests run through Wine, in a prefix and an Xvfb display of this
  # build folder that a fixture starts before the first test and stops after.
  set(LUMVIK_WINE_DIR "${CMAKE_BINARY_DIR}/wine")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run.sh")
  add_test(NAME ${LUMVIK_TEST_PREFIX}wine_session_start
           COMMAND "${CMAKE_SOURCE_DIR}/scripts/wine-session.sh" start "${LUMVIK_WINE_DIR}")
  add_test(NAME ${LUMVIK_TEST_PREFIX}wine_session_stop
           COMMAND "${CMAKE_SOURCE_DIR}/scripts/wine-session.sh" stop "${LUMVIK_WINE_DIR}")
  set_tests_properties(${LUMVIK_TEST_PREFIX}wine_session_start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(${LUMVIK_TEST_PREFIX}wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

# lumvik_add_test(NAME SOURCES... [LIBS ...]): one GoogleTest executable, one CTest entry.
function(lumvik_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} lumvik_testing GTest::gtest_main)
  add_test(NAME ${LUMVIK_TEST_PREFIX}${name} COMMAND ${name})
  if(CMAKE_CROSSCOMPILING AND WIN32)
    set_tests_properties(${LUMVIK_TEST_PREFIX}${name} PROPERTIES FIXTURES_REQUIRED wine
                         ENVIRONMENT "LUMVIK_WINE_DIR=${LUMVIK_WINE_DIR}")
  endif()
endfunction()

# lumvik_test_reads_dist(TARGET): the test finds the delivered files of dist/
# through LUMVIK_DIST_FOLDER, a path as the test program sees it (under Wine,
# drive Z: is the root of the machine's file system).
function(lumvik_test_reads_dist target)
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(dist_folder "Z:${CMAKE_SOURCE_DIR}/dist/")
  else()
    set(dist_folder "${CMAKE_SOURCE_DIR}/dist/")
  endif()
  target_compile_definitions(${target} PRIVATE LUMVIK_DIST_FOLDER="${dist_folder}")
endfunction()
