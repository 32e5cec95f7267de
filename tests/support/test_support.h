// Helpers shared by the tests: scratch folders, files, registry values, texts.
#ifndef TALVIREX_TEST_SUPPORT_H
#define TALVIREX_TEST_SUPPORT_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_paths.h"

namespace testsupport {

// Where Windows keeps the folders the installer looks up, spelt out here rather than taken from the code.
const char kCurrentVersionPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kShellFoldersPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A fresh, empty folder under the temporary directory, removed with its contents when the object goes away.
class ScratchDir {
public:
    explicit ScratchDir(const std::string &name);
    ~ScratchDir();
    const std::string &path() const { return path_; }
    // path() + "\" + relative
    std::string operator/(const std::string &relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

bool WriteFileBytes(const std::string &path, const std::string &bytes);
// A sparse file of size bytes with "MARK" at its start, across the 4 GiB line (when it reaches that far) and at
// its end, zeros between.
bool WriteSparseFile(const std::string &path, unsigned long long size);
// A file's bytes, or "<missing>".
std::string Contents(const std::string &path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> Listing(const std::string &dir);
// "target|icon|working directory" of a shortcut file read back through the shell, followed by any icon index
// but 0, description or arguments; "" when it cannot be loaded.
std::string ReadShortcut(const std::string &file);
bool FileExists(const std::string &path);
bool DirectoryExists(const std::string &path);
// Removes a folder with everything in it; a link in it goes, not what it leads to.
void RemoveTree(const std::string &path);
// A symbolic link at link to the folder target, made by Linux's ln: Wine shows it as a reparse point (its Win32
// calls that would make one do nothing). 1 when link is then a reparse point.
bool MakeFolderLink(const std::string &link, const std::string &target);
bool RemoveFolderLink(const std::string &link);
bool MakeDirectories(const std::string &path);

// Sets a registry value for the life of the object and puts back what was there before (or removes it).
// view: KEY_WOW64_32KEY for the 32-bit registry view.
class RegistryValue {
public:
    RegistryValue(HKEY root, const std::string &key, const std::string &name, REGSAM view = 0);
    ~RegistryValue();
    bool Set(const std::string &value);
    bool SetRaw(const void *data, DWORD size, DWORD type);
    bool Remove();

private:
    HKEY root_;
    std::string key_, name_;
    REGSAM view_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::string saved_;
};

// The tests are written in UTF-8, the installer speaks code page 1250.
std::string Utf8ToCp1250(const std::string &utf8);

}  // namespace testsupport

#endif
