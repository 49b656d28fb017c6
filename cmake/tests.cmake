# One CTest test per GoogleTest suite, found by scanning the test sources, so
# a failure names its suite and suites run in parallel. The scan reads lines
# that start with the macro; suites.PREFIX checks it against the suites the
# built binary lists, so a test it misses fails the run instead of never
# running.
enable_testing()
set(UNIT_RUN ${CMAKE_SOURCE_DIR}/scripts/unit-run.sh)

function(add_suites prefix sources)
  set(suites "")
  foreach(src ${sources})
    # A TEST_P suite runs under the names its INSTANTIATE_TEST_SUITE_P gives.
    file(STRINGS ${src} lines REGEX "^(TEST|TEST_F)\\(")
    foreach(line ${lines})
      string(REGEX REPLACE "^TEST(_F)?\\(([A-Za-z0-9_]+),.*" "\\2" suite "${line}")
      list(APPEND suites ${suite})
    endforeach()
    file(STRINGS ${src} plines REGEX "^INSTANTIATE_TEST_SUITE_P\\(")
    foreach(line ${plines})
      string(REGEX REPLACE "^INSTANTIATE_TEST_SUITE_P\\(([A-Za-z0-9_]+), *([A-Za-z0-9_]+).*"
             "\\1/\\2" suite "${line}")
      list(APPEND suites ${suite})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  foreach(suite ${suites})
    add_test(NAME ${prefix}.${suite} COMMAND ${ARGN} --gtest_filter=${suite}.*:${suite}/*)
    # A suite that hangs fails with its name instead of holding the run.
    set_tests_properties(${prefix}.${suite} PROPERTIES ENVIRONMENT YELTO_BUILD=${CMAKE_BINARY_DIR} TIMEOUT 600)
  endforeach()
  string(REPLACE ";" "\n" registered "${suites}")
  file(WRITE ${CMAKE_BINARY_DIR}/${prefix}_suites.txt "${registered}\n")
  add_test(NAME suites.${prefix}
           COMMAND ${CMAKE_COMMAND} -DREGISTERED=${CMAKE_BINARY_DIR}/${prefix}_suites.txt
                   -P ${CMAKE_SOURCE_DIR}/cmake/check_suites.cmake ${ARGN})
  set_tests_properties(suites.${prefix} PROPERTIES ENVIRONMENT YELTO_BUILD=${CMAKE_BINARY_DIR} TIMEOUT 600)
endfunction()

add_suites(unit "${UNIT_SOURCES}" ${UNIT_RUN} ${CMAKE_BINARY_DIR}/yelto_tests.exe)
add_suites(host "${HOST_TEST_SOURCES}" ${CMAKE_BINARY_DIR}/host_tests)
add_suites(e2e "${E2E_SOURCES}" ${CMAKE_BINARY_DIR}/e2e_tests)
# Real input goes to the foreground window of the display the tests share;
# windows of tests running alongside would take it.
set_tests_properties(e2e.RealInput PROPERTIES RUN_SERIAL TRUE)

# The probe reads the window back from the screen: no other test's window may
# cover it meanwhile.
if(TEST e2e.DisplayPixels)
  set_tests_properties(e2e.DisplayPixels PROPERTIES RUN_SERIAL TRUE)
endif()

# The wait's duration is checked against the timer: a loaded machine (the
# other suites run alongside) would stretch it.
set_tests_properties(e2e.MainWindow PROPERTIES RUN_SERIAL TRUE)

# The owned program window's disabled owner reads as enabled from the probe
# while unit tests make main windows on the same display alongside.
set_tests_properties(e2e.Controls PROPERTIES RUN_SERIAL TRUE)

# The include layering of src/ (scripts/check-layers.sh holds the order), and
# the check itself on small trees with includes against the order.
add_test(NAME layers.Order COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-layers.sh)
add_test(NAME layers.Check COMMAND bash ${CMAKE_SOURCE_DIR}/tests/layers/check_layers_test.sh)
