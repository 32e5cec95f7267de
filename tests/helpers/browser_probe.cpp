// A stand-in for the web browser: appends "ADDRESS STARTER" to the file OUTPUT,
// STARTER being the program that started it.   browser_probe.exe OUTPUT ADDRESS
#include <windows.h>

#include <tlhelp32.h>

#include <fstream>
#include <map>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 3)
        return 2;
    std::map<DWORD, std::pair<DWORD, std::string>> processes;   // id: parent, name
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        processes[entry.th32ProcessID] = {entry.th32ParentProcessID, entry.szExeFile};
    CloseHandle(snapshot);
    std::ofstream(__argv[1], std::ios::app | std::ios::binary) << __argv[2] << " " << processes[processes[GetCurrentProcessId()].first].second << "\n";
    return 0;
}
