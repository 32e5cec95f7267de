# The quiet installation under an English locale, where Wine gives programs code
# page 1252 unless their manifests ask for 1250 (both builds, as the other end-to-end tests).
foreach(build x86_64 i686)
    set(name english_locale)
    set(environment TALVIREX_LOCALE=en_US.UTF-8)
    if(build STREQUAL i686)
        set(name i686.english_locale)
        list(APPEND environment "TALVIREX_INSTALLER=${I686_EXE_FOR_WINE}")
    endif()
    add_test(NAME ${name} COMMAND e2e_tests --gtest_filter=Quiet.SlovakNamesAndTextsWhateverTheLocale)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300 ENVIRONMENT "${environment}")
endforeach()
