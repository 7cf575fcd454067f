# GoogleTest for this target, and tests that run natively or under Wine.

set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)

# lumvik_wine_fixture(FIXTURE DIR ACTION): a Wine prefix, wine server and Xvfb
# display in DIR, started by "scripts/wine-session.sh ACTION" before the first
# test that requires FIXTURE and stopped after the last.
function(lumvik_wine_fixture fixture dir action)
  set(start ${LUMVIK_TEST_PREFIX}${fixture}_session_start)
  set(stop ${LUMVIK_TEST_PREFIX}${fixture}_session_stop)
  add_test(NAME ${start} COMMAND "${CMAKE_SOURCE_DIR}/scripts/wine-session.sh" ${action} "${dir}")
  add_test(NAME ${stop} COMMAND "${CMAKE_SOURCE_DIR}/scripts/wine-session.sh" stop "${dir}")
  set_tests_properties(${start} PROPERTIES FIXTURES_SETUP ${fixture})
  set_tests_properties(${stop} PROPERTIES FIXTURES_CLEANUP ${fixture})
endfunction()

# lumvik_test_in_wine(TEST FIXTURE DIR): TEST runs in the Wine session of
# lumvik_wine_fixture(FIXTURE DIR ...).
function(lumvik_test_in_wine test fixture dir)
  set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED ${fixture}
                       ENVIRONMENT "LUMVIK_WINE_DIR=${dir}")
endfunction()

if(CMAKE_CROSSCOMPILING AND WIN32)
  # Windows tests run through Wine, in a prefix and an Xvfb display of this
  # build folder that a fixture starts before the first test and stops after.
  set(LUMVIK_WINE_DIR "${CMAKE_BINARY_DIR}/wine")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run.sh")
  lumvik_wine_fixture(wine "${LUMVIK_WINE_DIR}" start)
endif()

# lumvik_add_test(NAME SOURCES... [LIBS ...]): one GoogleTest executable, one CTest entry.
function(lumvik_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} lumvik_testing GTest::gtest_main)
  add_test(NAME ${LUMVIK_TEST_PREFIX}${name} COMMAND ${name})
  if(CMAKE_CROSSCOMPILING AND WIN32)
    lumvik_test_in_wine(${LUMVIK_TEST_PREFIX}${name} wine "${LUMVIK_WINE_DIR}")
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
