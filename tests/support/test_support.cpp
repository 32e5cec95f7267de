#include "test_support.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace testsupport {

ScratchDir::ScratchDir(const std::string &name)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "tvx_" + name + "_" + std::to_string(GetCurrentProcessId());
    RemoveTree(path_);
    MakeDirectories(path_);
}

ScratchDir::~ScratchDir()
{
    RemoveTree(path_);
}

bool WriteFileBytes(const std::string &path, const std::string &bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool WriteSparseFile(const std::string &path, unsigned long long size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    bool done = file != INVALID_HANDLE_VALUE;
    for (unsigned long long at : {0ull, (4ull << 30) - 3, size - 4}) {
        LONG high = (LONG)(at >> 32);
        DWORD written = 0;
        done = done && SetFilePointer(file, (LONG)(DWORD)at, &high, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
               WriteFile(file, "MARK", 4, &written, NULL) && written == 4;
    }
    CloseHandle(file);
    return done;
}

bool ReadFileBytes(const std::string &path, std::string *bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes->clear();
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, NULL) && got > 0)
        bytes->append(buffer, got);
    CloseHandle(file);
    return true;
}

std::string Contents(const std::string &path)
{
    std::string bytes;
    return ReadFileBytes(path, &bytes) ? bytes : "<missing>";
}

std::vector<std::string> Listing(const std::string &dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0)
            names.push_back(found.cFileName);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadShortcut(const std::string &file)
{
    WCHAR wide[MAX_PATH * 2] = {};
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH * 2);
    char path[1024] = "", icon[1024] = "", dir[1024] = "", description[1024] = "", arguments[1024] = "";
    int index = 0;
    CoInitialize(NULL);
    IShellLinkA *shell = NULL;
    IPersistFile *persist = NULL;
    bool loaded =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void **)&shell)) &&
        SUCCEEDED(shell->QueryInterface(IID_IPersistFile, (void **)&persist)) &&
        SUCCEEDED(persist->Load(wide, STGM_READ)) && SUCCEEDED(shell->GetPath(path, 1024, NULL, SLGP_RAWPATH)) &&
        SUCCEEDED(shell->GetIconLocation(icon, 1024, &index)) && SUCCEEDED(shell->GetWorkingDirectory(dir, 1024)) &&
        SUCCEEDED(shell->GetDescription(description, 1024)) && SUCCEEDED(shell->GetArguments(arguments, 1024));
    if (persist)
        persist->Release();
    if (shell)
        shell->Release();
    CoUninitialize();
    return loaded ? std::string(path) + "|" + icon + "|" + dir + (index ? std::to_string(index) : "") +
                        description + arguments
                  : "";
}

bool FileExists(const std::string &path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string &path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const std::string &path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(a & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                RemoveTree(path + "\\" + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

bool MakeDirectories(const std::string &path)
{
    for (size_t i = 3; i <= path.size(); i++) {
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), NULL);
    }
    return DirectoryExists(path);
}

RegistryValue::RegistryValue(HKEY root, const std::string &key, const std::string &name)
    : root_(root), key_(key), name_(name)
{
    HKEY k;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS) {
        char data[4096];
        DWORD size = sizeof data;
        if (RegQueryValueExA(k, name_.c_str(), NULL, &type_, (BYTE *)data, &size) == ERROR_SUCCESS) {
            existed_ = true;
            saved_.assign(data, size);
        }
        RegCloseKey(k);
    }
}

RegistryValue::~RegistryValue()
{
    if (existed_)
        SetRaw(saved_.data(), (DWORD)saved_.size(), type_);
    else
        Remove();
}

bool RegistryValue::Set(const std::string &value)
{
    return SetRaw(value.c_str(), (DWORD)value.size() + 1, REG_SZ);
}

bool RegistryValue::SetRaw(const void *data, DWORD size, DWORD type)
{
    HKEY k;
    if (RegCreateKeyExA(root_, key_.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &k, NULL) != ERROR_SUCCESS)
        return false;
    LONG r = RegSetValueExA(k, name_.c_str(), 0, type, (const BYTE *)data, size);
    RegCloseKey(k);
    return r == ERROR_SUCCESS;
}

bool RegistryValue::Remove()
{
    HKEY k;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_WRITE, &k) != ERROR_SUCCESS)
        return true;
    RegDeleteValueA(k, name_.c_str());
    RegCloseKey(k);
    return true;
}

static std::string Convert(const std::string &text, UINT from, UINT to)
{
    if (text.empty())
        return text;
    int wide = MultiByteToWideChar(from, 0, text.data(), (int)text.size(), NULL, 0);
    std::vector<wchar_t> w(wide);
    MultiByteToWideChar(from, 0, text.data(), (int)text.size(), w.data(), wide);
    int n = WideCharToMultiByte(to, 0, w.data(), wide, NULL, 0, NULL, NULL);
    std::string out(n, 0);
    WideCharToMultiByte(to, 0, w.data(), wide, &out[0], n, NULL, NULL);
    return out;
}

std::string Utf8ToCp1250(const std::string &utf8)
{
    return Convert(utf8, CP_UTF8, 1250);
}


}  // namespace testsupport
