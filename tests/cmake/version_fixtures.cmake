# DLLs for the version table of file_ops_test.cpp: version_fixture(NAME [FILE_VERSION PRODUCT_VERSION FILE_OS PADDING]) makes
# <build>/fixtures/version/NAME.dll; PADDING 1 brings its resource near 4196 bytes, 2 past them.
function(version_fixture name)
    add_library(vfix_${name} SHARED ${CMAKE_SOURCE_DIR}/tests/fixtures/version/fixture.c)
    if(ARGC GREATER 1)
        target_sources(vfix_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/fixtures/version/version.rc)
        target_compile_definitions(vfix_${name} PRIVATE FIXTURE_FILE_VERSION=${ARGV1}
            FIXTURE_PRODUCT_VERSION=${ARGV2} FIXTURE_FILE_OS=${ARGV3} FIXTURE_PADDING=${ARGV4})
    endif()
    target_link_options(vfix_${name} PRIVATE -nostdlib -s -Wl,-e,FixtureEntry)
    set_target_properties(vfix_${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures/version)
    add_dependencies(unit_tests vfix_${name})
endfunction()

version_fixture(p4_72_f9 9,0,0,0 4,72,3110,0 VOS__WINDOWS32 0)
version_fixture(p4_72_dos 4,72,3110,0 4,72,3110,0 VOS_DOS_WINDOWS32 1)
version_fixture(p4_72_1_nt 4,72,3110,1 4,72,3110,1 VOS_NT_WINDOWS32 0)
version_fixture(p32768 1,0,0,0 32768,0,0,0 VOS__WINDOWS32 0)
version_fixture(p4_72_32768 1,0,0,0 4,72,32768,0 VOS__WINDOWS32 0)
version_fixture(p9_win16 9,0,0,0 9,0,0,0 VOS__WINDOWS16 0)
version_fixture(p9_unknown 9,0,0,0 9,0,0,0 VOS_UNKNOWN 0)
version_fixture(p9_large 9,0,0,0 9,0,0,0 VOS__WINDOWS32 2)
version_fixture(none)
