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
function(quillora_suite_tests target prefix filter)
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  file(GENERATE OUTPUT "${include_file}" CONTENT
"set(quillora_suite_command [==[${CMAKE_CROSSCOMPILING_EMULATOR}]==] [==[$<TARGET_FILE:${target}>]==])
set(quillora_suite_prefix [==[${prefix}]==])
set(quillora_suite_filter [==[${filter}]==])
set(quillora_suite_properties [==[${ARGN}]==])
include([==[${PROJECT_SOURCE_DIR}/cmake/quillora_add_suite_tests.cmake]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
