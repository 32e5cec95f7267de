# DLLs for planted_dll_e2e_test.cpp: the marker DLL under the names of a DLL that
# the installer used to import (version) and of one that the common dialogs
# load late (uxtheme), in <build>/fixtures/planted.
foreach(name version uxtheme)
    add_library(planted_${name} SHARED ${CMAKE_SOURCE_DIR}/tests/fixtures/planted/planted.c)
    target_link_options(planted_${name} PRIVATE -static -s)
    set_target_properties(planted_${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures/planted)
    add_dependencies(e2e_tests planted_${name})
endforeach()
