# The quiet installation under an English locale, where Wine gives programs code
# page 1252 unless their manifests ask for 1250 (both builds, as the other end-to-end tests).
foreach(name english_locale i686.english_locale)
    add_test(NAME ${name} COMMAND e2e_tests --gtest_filter=Quiet.SlovakNamesAndFoldersWhateverTheLocale)
endforeach()
set_tests_properties(english_locale i686.english_locale PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
set_tests_properties(english_locale PROPERTIES ENVIRONMENT TALVIREX_LOCALE=en_US.UTF-8)
set_tests_properties(i686.english_locale PROPERTIES
    ENVIRONMENT "TALVIREX_LOCALE=en_US.UTF-8;TALVIREX_INSTALLER=${I686_EXE_FOR_WINE}")
