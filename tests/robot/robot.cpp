#include "robot.h"

#include <string.h>

namespace robot {

Process::~Process()
{
    if (Running())
        Kill();
    if (info_.hProcess)
        CloseHandle(info_.hProcess);
    if (info_.hThread)
        CloseHandle(info_.hThread);
}

::testing::AssertionResult Process::Start(const std::string &exe, const std::string &args,
                                          const std::string &workDir)
{
    std::string line = "\"" + exe + "\"";
    if (!args.empty())
        line += " " + args;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back(0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), buffer.data(), NULL, NULL, FALSE, 0, NULL,
                        workDir.empty() ? NULL : workDir.c_str(), &startup, &info_))
        return ::testing::AssertionFailure()
               << "cannot start " << line << " (error " << GetLastError() << ")";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Process::WaitForExit(DWORD *code, DWORD timeoutMs)
{
    if (!info_.hProcess)
        return ::testing::AssertionFailure() << "no process was started";
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return ::testing::AssertionFailure()
               << "the process did not end within " << timeoutMs << " ms";
    DWORD exitCode = 0;
    GetExitCodeProcess(info_.hProcess, &exitCode);
    if (code)
        *code = exitCode;
    return ::testing::AssertionSuccess();
}

bool Process::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void Process::Kill()
{
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
}

std::string ClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window)
{
    char text[4096] = "";
    // WM_GETTEXT is marshalled across processes, unlike GetWindowText for controls.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, NULL);
    return text;
}

std::string ControlText(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control ? WindowText(control) : std::string("<no control " + std::to_string(id) + ">");
}

bool ControlEnabled(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowEnabled(control);
}

bool ControlChecked(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    DWORD_PTR state = 0;
    if (control)
        SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

namespace {
struct FindData {
    DWORD pid;
    const char *className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    FindData *data = (FindData *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == data->pid && IsWindowVisible(window) &&
        lstrcmpiA(ClassName(window).c_str(), data->className) == 0)
        data->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> TopWindows(DWORD pid, const char *className)
{
    FindData data = {pid, className, {}};
    EnumWindows(CollectWindow, (LPARAM)&data);
    return data.found;
}

::testing::AssertionResult WaitUntil(const std::function<bool()> &pred, const std::string &what,
                                     DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (pred())
            return ::testing::AssertionSuccess();
        if (GetTickCount() - start > timeoutMs)
            return ::testing::AssertionFailure()
                   << "timed out after " << timeoutMs << " ms waiting for " << what;
        Sleep(50);
    }
}

::testing::AssertionResult WaitForWindow(DWORD pid, const char *className, HWND *window,
                                         DWORD timeoutMs)
{
    *window = NULL;
    return WaitUntil(
        [&] {
            std::vector<HWND> found = TopWindows(pid, className);
            if (found.empty())
                return false;
            *window = found.front();
            return true;
        },
        std::string("a window of class ") + className, timeoutMs);
}

namespace {
BOOL CALLBACK CollectChild(HWND child, LPARAM param)
{
    ((std::vector<HWND> *)param)->push_back(child);
    return TRUE;
}
}  // namespace

MessageBoxInfo ReadMessageBox(HWND window)
{
    MessageBoxInfo box;
    box.window = window;
    box.caption = WindowText(window);
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, (LPARAM)&children);
    for (HWND child : children) {
        std::string cls = ClassName(child);
        if (lstrcmpiA(cls.c_str(), "Static") == 0) {
            std::string text = WindowText(child);
            if (!text.empty() && box.text.empty())
                box.text = text;
        } else if (lstrcmpiA(cls.c_str(), "Button") == 0 && IsWindowVisible(child)) {
            box.buttons.push_back(GetDlgCtrlID(child));
        }
    }
    return box;
}

::testing::AssertionResult WaitForMessageBox(DWORD pid, MessageBoxInfo *box, DWORD timeoutMs)
{
    HWND window = NULL;
    ::testing::AssertionResult found = WaitForWindow(pid, "#32770", &window, timeoutMs);
    if (!found)
        return found << " (a message box)";
    // Give the box a moment to finish creating its controls.
    Sleep(100);
    *box = ReadMessageBox(window);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult AnswerMessageBox(const MessageBoxInfo &box, int buttonId, DWORD timeoutMs)
{
    HWND button = GetDlgItem(box.window, buttonId);
    if (!button)
        return ::testing::AssertionFailure()
               << "the message box \"" << box.text << "\" has no button " << buttonId;
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), (LPARAM)button);
    HWND window = box.window;
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); },
                     "the message box to close", timeoutMs);
}

::testing::AssertionResult PressButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (!button)
        return ::testing::AssertionFailure() << "the window has no button " << id;
    if (!IsWindowEnabled(button))
        return ::testing::AssertionFailure() << "button " << id << " (" << WindowText(button)
                                             << ") is disabled";
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
    return ::testing::AssertionSuccess();
}

void SendCommand(HWND dialog, int id, int notification)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notification), (LPARAM)GetDlgItem(dialog, id));
}

void SetControlText(HWND dialog, int id, const std::string &text)
{
    HWND control = GetDlgItem(dialog, id);
    SendMessageTimeoutA(control, WM_SETTEXT, 0, (LPARAM)text.c_str(), SMTO_ABORTIFHUNG, 5000, NULL);
}

void PressKey(HWND window, UINT virtualKey)
{
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

}  // namespace robot
