# Two computers (two Wine prefixes under two host names) append to one -L log at the same time.
add_test(NAME shared_log_two_computers COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/e2e/shared_log_test.py ${CMAKE_BINARY_DIR})
set_tests_properties(shared_log_two_computers PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
