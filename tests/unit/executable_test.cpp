// What the built executables carry: imports and version block.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_paths.h"
#include "test_support.h"

namespace {

// Reads the names of the DLLs in a PE file's import directory (PE32 and PE32+).
::testing::AssertionResult ReadImports(const std::string &path, std::vector<std::string> *dlls,
                                       WORD *machine)
{
    std::string image;
    if (!testsupport::ReadFileBytes(path, &image))
        return ::testing::AssertionFailure() << "cannot read " << path;
    auto at = [&](size_t offset, size_t size) -> const char * {
        return offset + size <= image.size() ? image.data() + offset : nullptr;
    };
    const IMAGE_DOS_HEADER *dos = (const IMAGE_DOS_HEADER *)at(0, sizeof(IMAGE_DOS_HEADER));
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE)
        return ::testing::AssertionFailure() << path << " is not a PE file";
    size_t nt = dos->e_lfanew;
    const IMAGE_FILE_HEADER *file = (const IMAGE_FILE_HEADER *)at(nt + 4, sizeof(IMAGE_FILE_HEADER));
    if (!file)
        return ::testing::AssertionFailure() << path << ": truncated header";
    *machine = file->Machine;
    size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
    WORD magic = *(const WORD *)at(optional, 2);
    DWORD importRva = 0;
    if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        importRva = ((const IMAGE_OPTIONAL_HEADER64 *)at(optional, sizeof(IMAGE_OPTIONAL_HEADER64)))
                        ->DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    else
        importRva = ((const IMAGE_OPTIONAL_HEADER32 *)at(optional, sizeof(IMAGE_OPTIONAL_HEADER32)))
                        ->DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    const IMAGE_SECTION_HEADER *sections =
        (const IMAGE_SECTION_HEADER *)at(optional + file->SizeOfOptionalHeader, 0);
    auto toOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < file->NumberOfSections; i++) {
            const IMAGE_SECTION_HEADER &s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData))
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return (size_t)-1;
    };
    if (importRva == 0)
        return ::testing::AssertionSuccess();
    for (size_t d = toOffset(importRva);; d += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const IMAGE_IMPORT_DESCRIPTOR *desc = (const IMAGE_IMPORT_DESCRIPTOR *)at(d, sizeof *desc);
        if (!desc)
            return ::testing::AssertionFailure() << path << ": import directory runs off the file";
        if (desc->Name == 0)
            break;
        const char *name = at(toOffset(desc->Name), 1);
        if (!name)
            return ::testing::AssertionFailure() << path << ": bad import name";
        std::string dll(name);
        std::transform(dll.begin(), dll.end(), dll.begin(), ::tolower);
        dlls->push_back(dll);
    }
    return ::testing::AssertionSuccess();
}

void ExpectOnlySystemImports(const std::string &path, WORD expectedMachine)
{
    static const char *const kAllowed[] = {
        "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
        "oleaut32.dll", "comdlg32.dll", "version.dll", "msvcrt.dll"};
    std::vector<std::string> dlls;
    WORD machine = 0;
    ASSERT_TRUE(ReadImports(path, &dlls, &machine));
    EXPECT_EQ(expectedMachine, machine) << path;
    EXPECT_FALSE(dlls.empty()) << path;
    for (const std::string &dll : dlls)
        EXPECT_NE(std::end(kAllowed), std::find_if(std::begin(kAllowed), std::end(kAllowed),
                                                   [&](const char *a) { return dll == a; }))
            << path << " imports " << dll;
}

TEST(Executable, X86_64BuildImportsOnlySystemDlls)
{
    ExpectOnlySystemImports(TEST_INSTALLER, IMAGE_FILE_MACHINE_AMD64);
}

TEST(Executable, I686BuildImportsOnlySystemDlls)
{
    ExpectOnlySystemImports(TEST_I686_INSTALLER, IMAGE_FILE_MACHINE_I386);
}

TEST(Executable, VersionBlockNames2_01_00)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(TEST_INSTALLER, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(TEST_INSTALLER, 0, size, block.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", (void **)&fixed, &length));
    EXPECT_EQ(0x00020001u, fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    char *text = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\041B04E2\\FileVersion", (void **)&text, &length));
    EXPECT_STREQ("2.01.00", text);
}

}  // namespace
