# The medium checker TALVICHK.EXE: its findings on broken media, read as JSON
# by Python on the Linux side.
add_test(NAME checker_findings COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/e2e/checker_test.py ${CMAKE_BINARY_DIR})
set_tests_properties(checker_findings PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600)
add_dependencies(e2e_tests talvichk)

# The installer's description reader alone, which the agreement test runs with -D.
add_executable(read_description WIN32 ${CMAKE_SOURCE_DIR}/tests/helpers/read_description.cpp $<TARGET_OBJECTS:talvirex_res>)
target_link_libraries(read_description PRIVATE talvirex_core)
target_compile_options(read_description PRIVATE ${TALVIREX_WARNINGS})
target_link_options(read_description PRIVATE ${TEST_LINK_FLAGS} -mwindows)
set_target_properties(read_description PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/helpers)
add_dependencies(e2e_tests read_description)

# A stand-in for the web browser that says who started it (the welcome page's link).
add_executable(browser_probe WIN32 ${CMAKE_SOURCE_DIR}/tests/helpers/browser_probe.cpp)
target_compile_options(browser_probe PRIVATE ${TALVIREX_WARNINGS})
target_link_options(browser_probe PRIVATE ${TEST_LINK_FLAGS} -mwindows)
set_target_properties(browser_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/helpers)
add_dependencies(e2e_tests browser_probe)
