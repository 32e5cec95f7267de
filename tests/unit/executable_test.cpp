// What the built executables carry: exports and texts (the imports are release_test.cpp's).
#include <set>

#include "test_support.h"

namespace {

using testsupport::Utf8ToCp1250;

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

// One row per way a text goes wrong: a kind byte, letters of code page 1250, quotes, line breaks, formats.
TEST(Executable, TextsLoadInCodePage1250WithTheirKindBytes)
{
    ASSERT_EQ(1250u, GetACP()) << "the tests must run with LC_ALL=sk_SK.UTF-8";
    const struct { UINT id; const char *utf8; } texts[] = {
        {0, "\x04" "Inštalácia úspešne ukončená!"},
        {13, "\x03" "Inštalácia nie je dokončená. Pokiaľ teraz ukončíte inštalačný program,\nprogramové vybavenie nebude nainštalované.\n\nChcete pokračovať v inštalácii?"},
        {32, "Na disku %c: je k dispozícii %lu,%02u MB."},
        {35, "Vitajte v inštalačnom programe TALVIREX. Tento program nainštaluje publikáciu „%s“ na váš počítač."},
        {77, "Nekorektný názov programovej skupiny (názov nesmie obsahovať znaky  \\ / : * ? \" < > | )!"},
        {99, " "}, {1, ""}};
    HMODULE module = LoadLibraryExA(TEST_INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE);
    for (const auto &t : texts) {
        char buffer[1024] = "";
        EXPECT_EQ(Utf8ToCp1250(t.utf8), std::string(buffer, LoadStringA(module, t.id, buffer, sizeof buffer))) << t.id;
    }
    EXPECT_NE(nullptr, FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(1), MAKELANGID(LANG_SLOVAK, SUBLANG_DEFAULT)));
    FreeLibrary(module);
}

}  // namespace
