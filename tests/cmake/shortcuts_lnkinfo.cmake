# Shortcut files checked with lnkinfo (package liblnk-utils), when it is installed.
find_program(LNKINFO_PROGRAM lnkinfo)
if(LNKINFO_PROGRAM)
    add_test(NAME shortcuts_lnkinfo
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/shortcuts_lnkinfo.sh ${CMAKE_BINARY_DIR} ${LNKINFO_PROGRAM})
    set_tests_properties(shortcuts_lnkinfo PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120)
else()
    message(STATUS "lnkinfo not found: shortcut files are not checked by an outside reader")
endif()
