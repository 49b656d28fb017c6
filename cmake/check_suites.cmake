# Run by CTest: cmake -DREGISTERED=FILE -P check_suites.cmake PROGRAM [ARGS...]
# lists the suites of a test binary (--gtest_list_tests) and fails when they
# differ from the suites registered from the sources' lines (FILE, one a
# line): a TEST that the scan misses would compile and never run.

# The program and its arguments: what follows the script's name.
set(command "")
set(script -1)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(script GREATER_EQUAL 0 AND i GREATER script)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "-P")
    math(EXPR script "${i} + 1")
  endif()
endforeach()

# The lists decide, not the exit status: Wine now and then crashes in its own
# teardown after a complete output (scripts/unit-run.sh).
execute_process(COMMAND ${command} --gtest_list_tests
                OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE rc)
string(REPLACE "\r" "" out "${out}")
string(REPLACE "\n" ";" lines "${out}")
set(listed "")
foreach(line ${lines})
  # Suite lines start in column 1 and end with a dot (typed and parameterized
  # suites add a comment); test lines are indented.
  if(line MATCHES "^([A-Za-z0-9_/]+)\\.( .*)?$")
    list(APPEND listed ${CMAKE_MATCH_1})
  endif()
endforeach()
list(REMOVE_DUPLICATES listed)
if(NOT listed)
  message(FATAL_ERROR "no suites listed (exit status ${rc}):\n${out}")
endif()

file(STRINGS ${REGISTERED} registered)
set(unregistered ${listed})
list(REMOVE_ITEM unregistered ${registered})
set(unlisted ${registered})
list(REMOVE_ITEM unlisted ${listed})
set(report "")
if(unregistered)
  string(REPLACE ";" " " unregistered "${unregistered}")
  string(APPEND report "\n  listed but not registered, so never run: ${unregistered}")
endif()
if(unlisted)
  string(REPLACE ";" " " unlisted "${unlisted}")
  string(APPEND report "\n  registered but not in the binary: ${unlisted}")
endif()
if(report)
  message(FATAL_ERROR "the test binary's suites and the registered ones differ:${report}\n"
          "Registration reads the lines that start with TEST(, TEST_F( or INSTANTIATE_TEST_SUITE_P(.")
endif()
list(LENGTH listed n)
message(STATUS "${n} suites, each registered")
