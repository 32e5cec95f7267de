# The copy onto a drive that fills up, on a small tmpfs that the script mounts
# for the length of the test (skipped where mounting is refused).
add_test(NAME platform_disk_full
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/disk_full.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:unit_tests>)
set_tests_properties(platform_disk_full PROPERTIES
    FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77 TIMEOUT 120)
