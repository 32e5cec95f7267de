#include "test_support.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

namespace testsupport {

ScratchDir::ScratchDir(const std::string &name)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "tvx_" + name + "_" + std::to_string(GetCurrentProcessId());
    RemoveTree(path_);
    MakeDirectories(path_);
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

bool WriteFileBytes(const std::string &path, const std::string &bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file) && written == bytes.size();
}

bool WriteSparseFile(const std::string &path, unsigned long long size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    bool done = file != INVALID_HANDLE_VALUE;
    for (unsigned long long at : {0ull, (4ull << 30) - 3, size - 4}) {
        if (at + 4 > size)
            continue;
        LONG high = (LONG)(at >> 32);
        DWORD written = 0;
        done = done && SetFilePointer(file, (LONG)(DWORD)at, &high, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
               WriteFile(file, "MARK", 4, &written, NULL) && written == 4;
    }
    CloseHandle(file);
    return done;
}

std::string Contents(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char buffer[65536];
    for (DWORD got = 0; ReadFile(file, buffer, sizeof buffer, &got, NULL) && got > 0;)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// Calls each(name) for every entry of dir but "." and "..".
template <class Each> void ForEachEntry(const std::string &dir, Each each)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0)
            each(std::string(found.cFileName));
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

std::vector<std::string> Listing(const std::string &dir)
{
    std::vector<std::string> names;
    ForEachEntry(dir, [&](const std::string &name) { names.push_back(name); });
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
    for (IUnknown *object : {(IUnknown *)persist, (IUnknown *)shell})
        if (object)
            object->Release();
    CoUninitialize();
    return loaded ? std::string(path) + "|" + icon + "|" + dir + (index ? std::to_string(index) : "") + description + arguments : "";
}

// 1 when path exists with flag among its attributes (set) or not among them.
static bool Has(const std::string &path, DWORD flag, bool set = true)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & flag) != set;
}

bool FileExists(const std::string &path) { return Has(path, FILE_ATTRIBUTE_DIRECTORY, false); }
bool DirectoryExists(const std::string &path) { return Has(path, FILE_ATTRIBUTE_DIRECTORY); }
static bool IsFolderLink(const std::string &path) { return Has(path, FILE_ATTRIBUTE_REPARSE_POINT); }

// The Linux name of a Windows path through Wine's kernel32, "" outside Wine.
static std::string UnixName(const std::string &path)
{
    typedef char *(CDECL * UnixNameProc)(const WCHAR *);
    auto unixName = (UnixNameProc)(void *)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    WCHAR wide[MAX_PATH * 2] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2);
    char *name = unixName ? unixName(wide) : NULL;
    std::string result = name ? name : "";
    if (name)
        HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs a Linux program (Wine starts one as it starts a Windows program) and waits for it.
static void RunLinux(std::string commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

// Wine's handle of a Linux process may be signalled before the program has run: waits for the outcome.
static bool Becomes(const std::string &link, bool isLink)
{
    for (int i = 0; i < 100 && IsFolderLink(link) != isLink; i++)
        Sleep(50);
    return IsFolderLink(link) == isLink;
}

bool MakeFolderLink(const std::string &link, const std::string &target)
{
    std::string from = UnixName(link), to = UnixName(target);
    if (!from.empty() && !to.empty())
        RunLinux("Z:\\bin\\ln -sfn \"" + to + "\" \"" + from + "\"");
    return Becomes(link, true);
}

bool RemoveFolderLink(const std::string &link)
{
    std::string name = UnixName(link);
    if (IsFolderLink(link) && !name.empty())
        RunLinux("Z:\\bin\\rm \"" + name + "\"");
    return Becomes(link, false);
}

void RemoveTree(const std::string &path)
{
    if (IsFolderLink(path))   // the link only, not what it leads to
        return (void)RemoveFolderLink(path);
    if (DirectoryExists(path))
        ForEachEntry(path, [&](const std::string &name) { RemoveTree(path + "\\" + name); });
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!RemoveDirectoryA(path.c_str()))
        DeleteFileA(path.c_str());
}

bool MakeDirectories(const std::string &path)
{
    for (size_t i = 3; i <= path.size(); i++)
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), NULL);
    return DirectoryExists(path);
}

RegistryValue::RegistryValue(HKEY root, const std::string &key, const std::string &name, REGSAM view)
    : root_(root), key_(key), name_(name), view_(view)
{
    HKEY k;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_READ | view_, &k) == ERROR_SUCCESS) {
        char data[4096];
        DWORD size = sizeof data;
        if (RegQueryValueExA(k, name_.c_str(), NULL, &type_, (BYTE *)data, &size) == ERROR_SUCCESS)
            existed_ = true, saved_.assign(data, size);
        RegCloseKey(k);
    }
}

RegistryValue::~RegistryValue()
{
    existed_ ? SetRaw(saved_.data(), (DWORD)saved_.size(), type_) : Remove();
}

bool RegistryValue::Set(const std::string &value)
{
    return SetRaw(value.c_str(), (DWORD)value.size() + 1, REG_SZ);
}

bool RegistryValue::SetRaw(const void *data, DWORD size, DWORD type)
{
    HKEY k;
    if (RegCreateKeyExA(root_, key_.c_str(), 0, NULL, 0, KEY_WRITE | view_, NULL, &k, NULL) != ERROR_SUCCESS)
        return false;
    LONG r = RegSetValueExA(k, name_.c_str(), 0, type, (const BYTE *)data, size);
    RegCloseKey(k);
    return r == ERROR_SUCCESS;
}

bool RegistryValue::Remove()
{
    HKEY k;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_WRITE | view_, &k) == ERROR_SUCCESS)
        RegDeleteValueA(k, name_.c_str()), RegCloseKey(k);
    return true;
}

std::string Utf8ToCp1250(const std::string &utf8)
{
    // No more UTF-16 units than UTF-8 bytes, one byte of 1250 a unit.
    std::wstring wide(utf8.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &wide[0], (int)wide.size()));
    std::string out(wide.size() + 1, '\0');
    out.resize(WideCharToMultiByte(1250, 0, wide.data(), (int)wide.size(), &out[0], (int)out.size(), NULL, NULL));
    return out;
}

}  // namespace testsupport
