# Failed copies again, with files limited to 256 KB (512 blocks) as on a full disk.
add_test(NAME platform_disk_full COMMAND sh -c "trap '' XFSZ; ulimit -f 512; exec \"$@\"" sh
    ${CMAKE_SOURCE_DIR}/tests/support/wine-run.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:unit_tests>
    --gtest_filter=CopyTest.FailedCopy*)
set_tests_properties(platform_disk_full PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120
    ENVIRONMENT TALVIREX_WRITE_LIMIT=1 PASS_REGULAR_EXPRESSION "PASSED  \\] 1 test")
