// What the built executables carry: exports and texts (the imports are release_test.cpp's).
#include <cstring>
#include <set>

#include "test_support.h"

namespace {


// Each build's machine and exports, from the file mapped as an image (an RVA is an offset).
TEST(Executable, BothBuildsExportTheProceduresByPlainName)
{
    // Decorated stdcall names such as _LineButWndProc@16 would be faults too.
    const std::set<std::string> expected = {"BmpButDemoWndProc", "BmpButWndProc", "DialInstDlgProc", "DlgIconWndProc",
        "LineButWndProc", "ProgButWndProc", "ProgressWndProc", "SearchAppsEnum", "SearchInstEnum", "WwwButHotWndProc", "WwwButWndProc"};
    const struct { const char *path; WORD machine; } builds[] = {{TEST_INSTALLER, IMAGE_FILE_MACHINE_AMD64},
                                                                 {TEST_I686_INSTALLER, IMAGE_FILE_MACHINE_I386}};
    for (const auto &build : builds) {
        SCOPED_TRACE(build.path);
        HMODULE module = LoadLibraryExA(build.path, NULL, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module);
        const char *base = (const char *)((ULONG_PTR)module & ~(ULONG_PTR)3);
        auto nt = (const IMAGE_NT_HEADERS32 *)(base + ((const IMAGE_DOS_HEADER *)base)->e_lfanew);
        EXPECT_EQ(build.machine, nt->FileHeader.Machine);
        const IMAGE_DATA_DIRECTORY *dirs = nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
                                               ? ((const IMAGE_NT_HEADERS64 *)nt)->OptionalHeader.DataDirectory
                                               : nt->OptionalHeader.DataDirectory;
        DWORD exportsAt = dirs[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress;
        std::set<std::string> exports;
        auto table = (const IMAGE_EXPORT_DIRECTORY *)(base + exportsAt);
        for (DWORD i = 0; exportsAt && i < table->NumberOfNames; i++)
            exports.insert(base + ((const DWORD *)(base + table->AddressOfNames))[i]);
        FreeLibrary(module);
        EXPECT_EQ(expected, exports);
    }
}

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
