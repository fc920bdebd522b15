# cmake -D PROGRAM=<test program> -D OUTPUT=<file> [-D ENVIRONMENT=<list>] -P PlxListTestSuites.cmake
# Writes the CTest file with one test per GoogleTest suite of PROGRAM (see
# PlxTestSuites.cmake), each named after its suite.
execute_process(COMMAND "${PROGRAM}" --gtest_list_tests
                OUTPUT_VARIABLE listing
                RESULT_VARIABLE result
                TIMEOUT 60)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --gtest_list_tests failed (${result}):\n${listing}")
endif()

# Suites are the unindented lines ("Suite." or "Prefix/Suite/0."), cases the
# indented ones; comments on parameters ("  # GetParam() = ...") go first, as
# they may hold any character.
string(REGEX REPLACE " *#[^\n]*" "" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(script "")
set(suites 0)
set(cases 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ ]+)\\.$")
    set(suite "${CMAKE_MATCH_1}")
    string(APPEND script "add_test([=[${suite}]=] [==[${PROGRAM}]==] [=[--gtest_filter=${suite}.*]=])\n")
    if(ENVIRONMENT)
      string(APPEND script "set_tests_properties([=[${suite}]=] PROPERTIES ENVIRONMENT [=[${ENVIRONMENT}]=])\n")
    endif()
    math(EXPR suites "${suites} + 1")
  elseif(line MATCHES "^  [^ ]")
    math(EXPR cases "${cases} + 1")
  endif()
endforeach()
if(suites EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} lists no test")
endif()
file(WRITE "${OUTPUT}" "# ${cases} cases in ${suites} suites\n${script}")
