// The release builds as the loader sees them: machine, exports, imports, their search, symbols, size, and
// their string table, which is Slovak.
#include <set>

#include "test_support.h"

namespace {

TEST(Release, BothBuildsExportByPlainNameImportOnlySystemDllsFromTheSystemDirectoryStrippedAndSmall)
{
    // Decorated stdcall names such as _LineButWndProc@16 would be faults too.
    const std::set<std::string> exports = {"BmpButDemoWndProc", "BmpButWndProc", "DialInstDlgProc", "DlgIconWndProc",
        "LineButWndProc", "ProgButWndProc", "ProgressWndProc", "SearchAppsEnum", "SearchInstEnum", "WwwButHotWndProc", "WwwButWndProc"};
    // No msvcrt.dll (a fresh Windows 95 has none); version.dll and comdlg32.dll are loaded by full path.
    const std::set<std::string> imports = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll"};
    // A 32-bit image's load-configuration entry says 64 bytes, as Windows XP demands; the
    // structure reaches past the dependent-load flags either way. Only the i686 size is held.
    const struct { const char *path; WORD machine; DWORD entrySize, flagsEnd, sizeLimit; } builds[] = {
        {TEST_INSTALLER, IMAGE_FILE_MACHINE_AMD64, 112, 80, MAXDWORD},
        {TEST_I686_INSTALLER, IMAGE_FILE_MACHINE_I386, 64, 56, 36 * 1024}};
    for (const auto &build : builds) {
        SCOPED_TRACE(build.path);
        HMODULE module = LoadLibraryExA(build.path, NULL, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module);
        // Mapped as an image: an RVA is an offset from the base.
        const char *base = (const char *)((ULONG_PTR)module & ~(ULONG_PTR)3);
        auto nt = (const IMAGE_NT_HEADERS32 *)(base + ((const IMAGE_DOS_HEADER *)base)->e_lfanew);
        bool wide = nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
        const IMAGE_DATA_DIRECTORY *dirs = wide ? ((const IMAGE_NT_HEADERS64 *)nt)->OptionalHeader.DataDirectory
                                                : nt->OptionalHeader.DataDirectory;
        EXPECT_EQ(build.machine, nt->FileHeader.Machine);
        DWORD exportsAt = dirs[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress;
        std::set<std::string> exported;
        auto table = (const IMAGE_EXPORT_DIRECTORY *)(base + exportsAt);
        for (DWORD i = 0; exportsAt && i < table->NumberOfNames; i++)
            exported.insert(base + ((const DWORD *)(base + table->AddressOfNames))[i]);
        EXPECT_EQ(exports, exported);

        std::set<std::string> imported;
        DWORD at = dirs[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        for (auto d = (const IMAGE_IMPORT_DESCRIPTOR *)(base + at); at && d->Name != 0; d++)
            imported.insert(CharLowerA(&std::string(base + d->Name)[0]));
        EXPECT_EQ(imports, imported);

        const IMAGE_DATA_DIRECTORY &config = dirs[IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG];
        EXPECT_EQ(build.entrySize, config.Size);
        if (config.VirtualAddress != 0) {
            const char *c = base + config.VirtualAddress;
            EXPECT_GE(*(const DWORD *)c, build.flagsEnd);
            EXPECT_EQ(0x800 /* system directory only */, wide ? ((const IMAGE_LOAD_CONFIG_DIRECTORY64 *)c)->Reserved1
                                                                : ((const IMAGE_LOAD_CONFIG_DIRECTORY32 *)c)->Reserved1);
        }
        EXPECT_EQ(0u, nt->FileHeader.NumberOfSymbols) << "not stripped";
        EXPECT_NE(nullptr, FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(1), MAKELANGID(LANG_SLOVAK, SUBLANG_DEFAULT)));

        DWORD stored = 0;   // raw sizes of every section but .rsrc
        auto section = (const IMAGE_SECTION_HEADER *)((const char *)&nt->OptionalHeader + nt->FileHeader.SizeOfOptionalHeader);
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; i++, section++)
            stored += strncmp((const char *)section->Name, ".rsrc", IMAGE_SIZEOF_SHORT_NAME) != 0 ? section->SizeOfRawData : 0;
        printf("%s outside its resources: %lu bytes\n", build.path, (unsigned long)stored);
        EXPECT_LE(stored, build.sizeLimit);
        FreeLibrary(module);
    }
}

}  // namespace
