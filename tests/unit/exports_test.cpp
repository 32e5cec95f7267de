// The export table of both builds: the window procedures, the dialog
// procedure and the enumeration callbacks, by their plain names.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_paths.h"
#include "test_support.h"

namespace {

// Reads the names of a PE file's export directory (PE32 and PE32+).
::testing::AssertionResult ReadExports(const std::string &path, std::vector<std::string> *names)
{
    std::string image;
    if (!testsupport::ReadFileBytes(path, &image))
        return ::testing::AssertionFailure() << "cannot read " << path;
    auto at = [&](size_t offset, size_t size) -> const char * {
        return offset <= image.size() && size <= image.size() - offset ? image.data() + offset : nullptr;
    };
    const IMAGE_DOS_HEADER *dos = (const IMAGE_DOS_HEADER *)at(0, sizeof(IMAGE_DOS_HEADER));
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE)
        return ::testing::AssertionFailure() << path << " is not a PE file";
    size_t nt = dos->e_lfanew;
    const IMAGE_FILE_HEADER *file = (const IMAGE_FILE_HEADER *)at(nt + 4, sizeof(IMAGE_FILE_HEADER));
    if (!file)
        return ::testing::AssertionFailure() << path << ": truncated header";
    size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
    const WORD *magic = (const WORD *)at(optional, 2);
    if (!magic)
        return ::testing::AssertionFailure() << path << ": truncated header";
    const IMAGE_DATA_DIRECTORY *directory = nullptr;
    if (*magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        auto *h = (const IMAGE_OPTIONAL_HEADER64 *)at(optional, sizeof(IMAGE_OPTIONAL_HEADER64));
        directory = h ? &h->DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT] : nullptr;
    } else {
        auto *h = (const IMAGE_OPTIONAL_HEADER32 *)at(optional, sizeof(IMAGE_OPTIONAL_HEADER32));
        directory = h ? &h->DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT] : nullptr;
    }
    if (!directory)
        return ::testing::AssertionFailure() << path << ": truncated optional header";
    if (directory->VirtualAddress == 0)
        return ::testing::AssertionSuccess();  // no exports at all
    const IMAGE_SECTION_HEADER *sections = (const IMAGE_SECTION_HEADER *)at(
        optional + file->SizeOfOptionalHeader, file->NumberOfSections * sizeof(IMAGE_SECTION_HEADER));
    if (!sections)
        return ::testing::AssertionFailure() << path << ": truncated section table";
    auto toOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < file->NumberOfSections; i++) {
            const IMAGE_SECTION_HEADER &s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData))
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return (size_t)-1;
    };
    const IMAGE_EXPORT_DIRECTORY *exports =
        (const IMAGE_EXPORT_DIRECTORY *)at(toOffset(directory->VirtualAddress), sizeof(IMAGE_EXPORT_DIRECTORY));
    if (!exports)
        return ::testing::AssertionFailure() << path << ": export directory runs off the file";
    const DWORD *nameRvas = (const DWORD *)at(toOffset(exports->AddressOfNames), exports->NumberOfNames * 4);
    if (!nameRvas)
        return ::testing::AssertionFailure() << path << ": export name table runs off the file";
    for (DWORD i = 0; i < exports->NumberOfNames; i++) {
        size_t offset = toOffset(nameRvas[i]);
        const char *name = at(offset, 1);
        if (!name)
            return ::testing::AssertionFailure() << path << ": bad export name";
        names->push_back(std::string(name, strnlen(name, image.size() - offset)));
    }
    return ::testing::AssertionSuccess();
}

void ExpectExactExports(const std::string &path)
{
    std::vector<std::string> expected = {
        "BmpButDemoWndProc", "BmpButWndProc", "DialInstDlgProc", "DlgIconWndProc",
        "LineButWndProc", "ProgButWndProc", "ProgressWndProc", "SearchAppsEnum",
        "SearchInstEnum", "WwwButHotWndProc", "WwwButWndProc"};
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> names;
    ASSERT_TRUE(ReadExports(path, &names));
    std::sort(names.begin(), names.end());
    // Missing names and stray ones (decorated stdcall names such as
    // _LineButWndProc@16 among them) are both faults.
    std::vector<std::string> missing, extra;
    std::set_difference(expected.begin(), expected.end(), names.begin(), names.end(), std::back_inserter(missing));
    std::set_difference(names.begin(), names.end(), expected.begin(), expected.end(), std::back_inserter(extra));
    auto join = [](const std::vector<std::string> &v) {
        std::string s;
        for (const std::string &n : v)
            s += " " + n;
        return s;
    };
    EXPECT_TRUE(missing.empty()) << path << " does not export:" << join(missing);
    EXPECT_TRUE(extra.empty()) << path << " also exports:" << join(extra);
}

TEST(Exports, X86_64BuildExportsTheProceduresByName)
{
    ExpectExactExports(TEST_INSTALLER);
}

TEST(Exports, I686BuildExportsTheProceduresByPlainName)
{
    ExpectExactExports(TEST_I686_INSTALLER);
}

}  // namespace
