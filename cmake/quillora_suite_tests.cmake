# One CTest test per GoogleTest suite of a test program, found from the
# program's own listing each time CTest starts (as gtest_discover_tests does
# per test). A suite runs in one process: under Wine, starting the test
# program costs more than most scenarios' own checks, and a suite's tests
# share nothing but that process.
#
#   quillora_suite_tests(TARGET PREFIX FILTER [test properties...])
# PREFIX starts every test's name ("win.e2e."); FILTER is a GoogleTest
# filter of the tests to list ("*" for all); the properties are set on every
# suite's test (RESOURCE_LOCK wine_display TIMEOUT 600).
#
# The same file serves CTest as it starts (then quillora_suite_command is
# set): it lists the program's suites and adds a test for each. A listing
# that fails becomes a failing test, so that a broken program never passes
# by having no tests.
if(DEFINED quillora_suite_command)
  execute_process(COMMAND ${quillora_suite_command} --gtest_list_tests "--gtest_filter=${quillora_suite_filter}"
                  OUTPUT_VARIABLE listing ERROR_VARIABLE listing_errors RESULT_VARIABLE listed TIMEOUT 60)
  if(NOT listed EQUAL 0)
    add_test("${quillora_suite_prefix}listing" ${quillora_suite_command} --gtest_list_tests)
    return()
  endif()
  string(REPLACE "\r" "" listing "${listing}")
  string(REPLACE "\n" ";" lines "${listing}")
  foreach(line IN LISTS lines)
    # A suite's line starts at the left ("Prefix/Suite." for a parameterised
    # one); its tests' lines are indented.
    if(line MATCHES "^([A-Za-z0-9_/]+)\\.")
      set(name "${quillora_suite_prefix}${CMAKE_MATCH_1}")
      add_test("${name}" ${quillora_suite_command} "--gtest_filter=${CMAKE_MATCH_1}.*")
      if(quillora_suite_properties)
        set_tests_properties("${name}" PROPERTIES ${quillora_suite_properties})
      endif()
    endif()
  endforeach()
  return()
endif()

function(quillora_suite_tests target prefix filter)
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  file(GENERATE OUTPUT "${include_file}" CONTENT
"set(quillora_suite_command [==[${CMAKE_CROSSCOMPILING_EMULATOR}]==] [==[$<TARGET_FILE:${target}>]==])
set(quillora_suite_prefix [==[${prefix}]==])
set(quillora_suite_filter [==[${filter}]==])
set(quillora_suite_properties [==[${ARGN}]==])
include([==[${CMAKE_CURRENT_FUNCTION_LIST_FILE}]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
