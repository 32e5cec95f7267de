// The texts the installer carries (its imports, exports and size are release_test.cpp's).
#include <cstring>

#include "test_support.h"

namespace {

// The string table is Slovak and a message's kind is its first byte (the letters are checked where the
// wizard tests read them on the pages).
TEST(Executable, TextsAreSlovakWithTheirKindBytes)
{
    HMODULE module = LoadLibraryExA(TEST_INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(nullptr, FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(1), MAKELANGID(LANG_SLOVAK, SUBLANG_DEFAULT)));
    const struct { UINT id; const char *start; } texts[] = {{0, "\x04" "In"}, {12, "\x02" "VA"}, {13, "\x03" "In"},
                                                            {15, "Ne"}, {99, " "}, {1, ""}};
    for (const auto &t : texts) {
        char buffer[1024] = "";
        EXPECT_EQ(t.start, std::string(buffer, LoadStringA(module, t.id, buffer, sizeof buffer)).substr(0, strlen(t.start)))
            << t.id;
    }
    FreeLibrary(module);
}

}  // namespace
