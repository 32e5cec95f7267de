// The texts the installer carries (its imports, exports and size are release_test.cpp's).
#include "test_support.h"

namespace {

// The string table is Slovak (the texts themselves are checked where the wizard tests read them on the pages).
TEST(Executable, TextsAreSlovak)
{
    HMODULE module = LoadLibraryExA(TEST_INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(nullptr, FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(1), MAKELANGID(LANG_SLOVAK, SUBLANG_DEFAULT)));
    FreeLibrary(module);
}

}  // namespace
