# plx_add_test_suites(<target> [ENVIRONMENT <var=value>...])
# Registers a GoogleTest program with CTest as one test per test suite (all
# cases of a suite in one process, run with --gtest_filter=<suite>.*), so a
# run starts one process per suite instead of one per case. A failing entry's
# output names the failing cases with their messages. The suites are listed
# after each build of the program.
function(plx_add_test_suites target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "ENVIRONMENT")
  set(list_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake")
  add_custom_command(
    TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E env ${arg_ENVIRONMENT}
            ${CMAKE_COMMAND} -D "PROGRAM=$<TARGET_FILE:${target}>" -D "OUTPUT=${list_file}"
            -D "ENVIRONMENT=${arg_ENVIRONMENT}" -P "${PLX_TEST_SUITES_SCRIPT}"
    VERBATIM)
  # Without a build of the program, one entry stands for it and fails.
  file(WRITE "${include_file}"
       "if(EXISTS \"${list_file}\")\n"
       "  include(\"${list_file}\")\n"
       "else()\n"
       "  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()

set(PLX_TEST_SUITES_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/PlxListTestSuites.cmake")
