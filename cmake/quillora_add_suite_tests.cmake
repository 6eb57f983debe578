# Run by CTest as it starts (see QuilloraTestSuites.cmake): lists the test
# program's suites and adds a test for each. A listing that fails becomes a
# failing test, so that a broken program never passes by having no tests.
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
