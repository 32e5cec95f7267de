# The installer's linker script: the linker's own, with the export directory
# (.edata) at the start of .text and the read-only data (.rdata) at its end
# instead of in sections of their own. Each section is stored padded to 512 bytes, so
# two sections fewer are up to a kilobyte less. The import tables keep their
# writable .idata: older loaders write the addresses there in place.
# cmake/set-directories.sh points the export entry at the merged table.
function(talvirex_linker_script output)
    execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE text RESULT_VARIABLE failed)
    # The script stands between two lines of '=' in the linker's answer.
    string(REGEX MATCH "\n=+\n(.*)\n=+\n" found "${text}")
    if(failed OR NOT found)
        message(FATAL_ERROR "${CMAKE_LINKER} --verbose gave no linker script")
    endif()
    set(script "${CMAKE_MATCH_1}")
    set(edits
        # The exports move to the start of .text: the linker writes the addresses in
        # the table as offsets from the start of the section that holds it ...
        "(\n  \\.text [^{]*{)" "\\1\n    *(.edata)"
        # ... the read-only data to its end, after the code ...
        "(KEEP \\(\\*\\(\\.gcc_except_table\\)\\))" "\\1\n    *(.rdata)\n    *(SORT(.rdata$*))"
        # ... out of .rdata, which keeps only the runtime's pseudo-relocations (none here) ...
        "(\\.rdata BLOCK[^{]*{)[ \t\n]*\\*\\(\\.rdata\\)[ \t\n]*\\*\\(SORT\\(\\.rdata[$]\\*\\)\\)" "\\1"
        # ... and .edata goes.
        "\n  \\.edata BLOCK[^{]*{[ \t\n]*\\*\\(\\.edata\\)[ \t\n]*}" "")
    while(edits)
        list(POP_FRONT edits pattern replacement)
        string(REGEX REPLACE "${pattern}" "${replacement}" edited "${script}")
        if(edited STREQUAL script)
            message(FATAL_ERROR "The linker script of ${CMAKE_LINKER} has no '${pattern}'")
        endif()
        set(script "${edited}")
    endwhile()
    file(WRITE ${output} "${script}")
endfunction()
