# The medium checker TALVICHK.EXE: its findings on broken media, read as JSON
# by Python on the Linux side.
add_test(NAME checker_findings COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/e2e/checker_test.py ${CMAKE_BINARY_DIR})
set_tests_properties(checker_findings PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600)
add_dependencies(e2e_tests talvichk)
