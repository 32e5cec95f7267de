// Drives the helpers read_description.exe and browse_folder.exe: answers the
// message boxes they show, finds and works the folder chooser, and reads the
// result files they write.
#ifndef TALVIREX_DESCRIPTION_DRIVER_H
#define TALVIREX_DESCRIPTION_DRIVER_H

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "robot.h"
#include "test_paths.h"
#include "test_support.h"

namespace driver {

const int kDirectoryList = 1121;
const int kDriveList = 1137;
const int kCurrentDirectory = 1088;

// Wine waits up to two seconds for a window manager to take every closed
// window of a managed kind away; the test display has none. Unmanaged windows
// close at once. Helpers started while an object of this lives see the setting.
class UnmanagedWindows {
public:
    UnmanagedWindows() { value_.Set("N"); }

private:
    testsupport::RegistryValue value_{HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed"};
};

inline std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], (DWORD)text.size());
    return text;
}

// "name=value" lines of a helper's result file.
inline std::map<std::string, std::string> ReadFields(const std::string &path)
{
    std::map<std::string, std::string> fields;
    std::string text;
    if (!testsupport::ReadFileBytes(path, &text))
        return fields;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            fields[line.substr(0, eq)] = line.substr(eq + 1);
        at = end + 1;
    }
    return fields;
}

// The folder chooser among the dialogs of the process (a message box has no
// directory list), or null.
inline HWND FindChooser(DWORD pid)
{
    for (HWND w : robot::TopWindows(pid, "#32770"))
        if (GetDlgItem(w, kDirectoryList))
            return w;
    return NULL;
}

inline HWND FindMessageBox(DWORD pid)
{
    for (HWND w : robot::TopWindows(pid, "#32770"))
        if (!GetDlgItem(w, kDirectoryList))
            return w;
    return NULL;
}

inline ::testing::AssertionResult WaitForChooser(DWORD pid, HWND *chooser)
{
    *chooser = NULL;
    ::testing::AssertionResult r = robot::WaitUntil(
        [&] { return (*chooser = FindChooser(pid)) != NULL; }, "the folder chooser");
    // Let the dialog fill its lists.
    Sleep(200);
    return r;
}

inline ::testing::AssertionResult WaitForBox(DWORD pid, robot::MessageBoxInfo *box)
{
    HWND window = NULL;
    ::testing::AssertionResult r = robot::WaitUntil(
        [&] { return (window = FindMessageBox(pid)) != NULL; }, "a message box");
    if (!r)
        return r;
    Sleep(100);
    *box = robot::ReadMessageBox(window);
    return ::testing::AssertionSuccess();
}

inline std::vector<std::string> ListItems(HWND dialog, int id, bool combo)
{
    HWND control = GetDlgItem(dialog, id);
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    SendMessageTimeoutA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    for (int i = 0; i < (int)count; i++) {
        // The dialog's lists are Unicode windows; across processes only the
        // Unicode message brings their text back whole.
        WCHAR wide[1024] = L"";
        SendMessageTimeoutW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, (LPARAM)wide, SMTO_ABORTIFHUNG,
                            5000, NULL);
        char text[2048] = "";
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, NULL, NULL);
        items.push_back(text);
    }
    return items;
}

// Picks an item (compared ignoring case) of the directory or drive list as a
// user does: a double click on a directory, a new selection of a drive. Waits
// until the dialog shows another current directory.
inline ::testing::AssertionResult PickItem(HWND dialog, int id, const std::string &item)
{
    bool combo = id == kDriveList;
    std::vector<std::string> items = ListItems(dialog, id, combo);
    int index = -1;
    for (size_t i = 0; i < items.size(); i++)
        if (Lower(items[i]) == Lower(item))
            index = (int)i;
    if (index < 0) {
        std::string all;
        for (const std::string &s : items)
            all += " " + s;
        return ::testing::AssertionFailure() << "no item " << item << " in list " << id << ":" << all;
    }
    std::string before = robot::ControlText(dialog, kCurrentDirectory);
    HWND control = GetDlgItem(dialog, id);
    SendMessageTimeoutA(control, combo ? CB_SETCURSEL : LB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 5000, NULL);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_DBLCLK), (LPARAM)control);
    return robot::WaitUntil([&] { return robot::ControlText(dialog, kCurrentDirectory) != before; },
                            "the chooser to change its directory after " + item);
}

// A helper's run: the message boxes it showed (each answered with OK), its
// exit code and the fields of its result file.
struct HelperRun {
    std::vector<robot::MessageBoxInfo> boxes;
    DWORD exitCode = 0;
    std::map<std::string, std::string> fields;

    std::string Field(const std::string &name) const
    {
        auto it = fields.find(name);
        return it == fields.end() ? "<missing " + name + ">" : it->second;
    }
};

inline std::string ResultFile(const std::string &name)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "tvx_result_" + name + "_" + std::to_string(GetCurrentProcessId()) + ".txt";
}

inline std::string Quoted(const std::string &text)
{
    return "\"" + text + "\"";
}

// Runs read_description.exe on a medium directory, answering every message
// box with OK until the helper ends. A folder chooser fails the run.
inline ::testing::AssertionResult ReadDescription(const std::string &medium, const std::string &flags, HelperRun *run)
{
    std::string result = ResultFile("read");
    DeleteFileA(result.c_str());
    robot::Process process;
    ::testing::AssertionResult r = process.Start(TEST_HELPER_DIR "\\read_description.exe",
                                                 flags + " -O" + Quoted(result) + " " + Quoted(medium));
    if (!r)
        return r;
    for (;;) {
        HWND window = NULL;
        r = robot::WaitUntil(
            [&] { return !process.Running() || (window = FindMessageBox(process.Id())) || FindChooser(process.Id()); },
            "the reader to end or show a box");
        if (!r)
            return r;
        if (FindChooser(process.Id()))
            return ::testing::AssertionFailure() << "the reader asked for the medium";
        if (!window)
            break;
        Sleep(100);
        run->boxes.push_back(robot::ReadMessageBox(window));
        r = robot::AnswerMessageBox(run->boxes.back(), IDOK);
        if (!r)
            return r;
        if (run->boxes.size() > 5)
            return ::testing::AssertionFailure() << "too many message boxes";
    }
    r = process.WaitForExit(&run->exitCode);
    if (!r)
        return r;
    run->fields = ReadFields(result);
    DeleteFileA(result.c_str());
    return ::testing::AssertionSuccess();
}

}  // namespace driver

#endif
