// The release builds as the loader sees them: what they import, where the
// loader is told to take it from, symbols, and the size of code and data.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "test_support.h"

namespace {

struct Release {
    std::set<std::string> imports;
    DWORD loadConfigEntrySize = 0, loadConfigSize = 0, dependentLoadFlags = 0;
    DWORD symbols = 0;
    DWORD storedOutsideResources = 0;   // raw sizes of every section but .rsrc
};

// Reads a build mapped as an image, where an RVA is an offset from the base.
Release Inspect(const char *path)
{
    Release r;
    HMODULE module = LoadLibraryExA(path, NULL, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    if (module == NULL)
        return r;
    const char *base = (const char *)((ULONG_PTR)module & ~(ULONG_PTR)3);
    auto nt = (const IMAGE_NT_HEADERS32 *)(base + ((const IMAGE_DOS_HEADER *)base)->e_lfanew);
    bool wide = nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
    const IMAGE_DATA_DIRECTORY *dirs = wide ? ((const IMAGE_NT_HEADERS64 *)nt)->OptionalHeader.DataDirectory
                                            : nt->OptionalHeader.DataDirectory;
    DWORD importsAt = dirs[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto d = (const IMAGE_IMPORT_DESCRIPTOR *)(base + importsAt); importsAt && d->Name != 0; d++)
        r.imports.insert(CharLowerA(&std::string(base + d->Name)[0]));
    const IMAGE_DATA_DIRECTORY &config = dirs[IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG];
    if (config.VirtualAddress != 0) {
        r.loadConfigEntrySize = config.Size;
        r.loadConfigSize = *(const DWORD *)(base + config.VirtualAddress);
        r.dependentLoadFlags = wide ? ((const IMAGE_LOAD_CONFIG_DIRECTORY64 *)(base + config.VirtualAddress))->Reserved1
                                    : ((const IMAGE_LOAD_CONFIG_DIRECTORY32 *)(base + config.VirtualAddress))->Reserved1;
    }
    r.symbols = nt->FileHeader.NumberOfSymbols;
    auto section = (const IMAGE_SECTION_HEADER *)((const char *)&nt->OptionalHeader + nt->FileHeader.SizeOfOptionalHeader);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; i++, section++)
        if (strncmp((const char *)section->Name, ".rsrc", IMAGE_SIZEOF_SHORT_NAME) != 0)
            r.storedOutsideResources += section->SizeOfRawData;
    FreeLibrary(module);
    return r;
}

TEST(Release, BothBuildsImportOnlyDllsThatComeFromTheSystemDirectoryAndAskForNothingElse)
{
    // No msvcrt.dll (a fresh Windows 95 has none), version.dll or comdlg32.dll:
    // those two are loaded by full path when needed.
    const std::set<std::string> imports = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll"};
    // The data-directory entry of a 32-bit image says 64 bytes, as Windows XP demands;
    // the structure itself reaches past the dependent-load flags either way.
    const struct { const char *path; DWORD entrySize, flagsEnd; } builds[] = {{TEST_INSTALLER, 112, 80},
                                                                                {TEST_I686_INSTALLER, 64, 56}};
    for (const auto &build : builds) {
        SCOPED_TRACE(build.path);
        Release r = Inspect(build.path);
        EXPECT_EQ(imports, r.imports);
        EXPECT_EQ(build.entrySize, r.loadConfigEntrySize);
        EXPECT_GE(r.loadConfigSize, build.flagsEnd);
        EXPECT_EQ((DWORD)LOAD_LIBRARY_SEARCH_SYSTEM32, r.dependentLoadFlags);
        EXPECT_EQ(0u, r.symbols) << "not stripped";
    }
}

TEST(Release, The32BitBuildKeepsItsCodeAndDataWithin32Kb)
{
    const DWORD kLimit = 32 * 1024;
    DWORD i686 = Inspect(TEST_I686_INSTALLER).storedOutsideResources, x64 = Inspect(TEST_INSTALLER).storedOutsideResources;
    printf("TALVIREX.EXE outside its resources: i686 %lu bytes, x86_64 %lu bytes (limit for i686 %lu)\n",
           (unsigned long)i686, (unsigned long)x64, (unsigned long)kLimit);
    EXPECT_GT(i686, 0u) << "no 32-bit build read";
    EXPECT_LE(i686, kLimit);
}

}  // namespace
