# Small DLLs with version resources of their own, on which the unit tests check
# the version decisions. They land in <build>/fixtures/version; the tests find
# them under TEST_BUILD_DIR.
set(VERSION_FIXTURE_SOURCE ${CMAKE_CURRENT_LIST_DIR}/../fixtures/version)
set(VERSION_FIXTURE_DIR ${CMAKE_BINARY_DIR}/fixtures/version)

# add_version_fixture(NAME [FILE a,b,c,d PRODUCT a,b,c,d] [OS value] [PADDING MEDIUM|LARGE])
# Without FILE and PRODUCT the DLL has no version resource at all.
function(add_version_fixture name)
    cmake_parse_arguments(F "" "FILE;PRODUCT;OS;PADDING" "" ${ARGN})
    set(target vfix_${name})
    set(sources ${VERSION_FIXTURE_SOURCE}/fixture.c)
    if(F_PRODUCT)
        list(APPEND sources ${VERSION_FIXTURE_SOURCE}/version.rc)
    endif()
    add_library(${target} SHARED ${sources})
    target_compile_definitions(${target} PRIVATE
        "FIXTURE_FILE_VERSION=${F_FILE}" "FIXTURE_PRODUCT_VERSION=${F_PRODUCT}")
    if(F_OS)
        target_compile_definitions(${target} PRIVATE "FIXTURE_FILE_OS=${F_OS}")
    endif()
    if(F_PADDING)
        target_compile_definitions(${target} PRIVATE FIXTURE_PADDING_${F_PADDING})
    endif()
    target_link_options(${target} PRIVATE -nostdlib -s -Wl,-e,FixtureEntry)
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
        RUNTIME_OUTPUT_DIRECTORY ${VERSION_FIXTURE_DIR}
        ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/fixture_libs)
    add_dependencies(unit_tests ${target})
endfunction()

add_version_fixture(p4000 FILE 4,0,0,0 PRODUCT 4,0,0,0)
add_version_fixture(p4000_f9 FILE 9,0,0,0 PRODUCT 4,0,0,0)
add_version_fixture(p5000 FILE 5,0,0,0 PRODUCT 5,0,0,0)
add_version_fixture(p4_72_3110_0 FILE 4,72,3110,0 PRODUCT 4,72,3110,0)
add_version_fixture(p4_72_3110_1 FILE 4,72,3110,1 PRODUCT 4,72,3110,1)
add_version_fixture(p4_72 FILE 4,72,0,0 PRODUCT 4,72,0,0)
add_version_fixture(p4_71_f9 FILE 9,0,0,0 PRODUCT 4,71,0,0)
add_version_fixture(p4000_nt FILE 4,0,0,0 PRODUCT 4,0,0,0 OS VOS_NT_WINDOWS32)
add_version_fixture(p4_72_dos FILE 4,72,0,0 PRODUCT 4,72,0,0 OS VOS_DOS_WINDOWS32)
add_version_fixture(p9000_win16 FILE 9,0,0,0 PRODUCT 9,0,0,0 OS VOS__WINDOWS16)
add_version_fixture(p9000_unknown FILE 9,0,0,0 PRODUCT 9,0,0,0 OS VOS_UNKNOWN)
add_version_fixture(p9000_nt_only FILE 9,0,0,0 PRODUCT 9,0,0,0 OS VOS_NT)
add_version_fixture(p4000_medium FILE 4,0,0,0 PRODUCT 4,0,0,0 PADDING MEDIUM)
add_version_fixture(p9000_large FILE 9,0,0,0 PRODUCT 9,0,0,0 PADDING LARGE)
add_version_fixture(none)
