# The marker DLL of install_e2e_test.cpp's planted-DLL test, which copies it under system DLLs' names.
add_library(planted_marker SHARED ${CMAKE_SOURCE_DIR}/tests/fixtures/planted/planted.c)
target_link_options(planted_marker PRIVATE -static -s)
set_target_properties(planted_marker PROPERTIES PREFIX "" OUTPUT_NAME marker
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures/planted)
add_dependencies(e2e_tests planted_marker)
