#include "robot.h"

namespace robot {

using ::testing::AssertionFailure;
using ::testing::AssertionSuccess;

Process::~Process()
{
    if (Running())
        Kill();
    if (info_.hProcess)
        CloseHandle(info_.hProcess), CloseHandle(info_.hThread);
}

AssertionResult Process::Start(const std::string &exe, const std::string &args, const std::string &workDir)
{
    std::string line = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    // Wine's CreateProcess now and then fails with ERROR_INTERNAL_ERROR (seen once in many runs, while an
    // installer's removal helper was ending); a later try starts the program.
    BOOL started = FALSE;
    for (int attempt = 0; !started && attempt < 5; attempt++) {
        if (attempt > 0) Sleep(200);
        started = CreateProcessA(exe.c_str(), &line[0], NULL, NULL, FALSE, 0, NULL,
                                 workDir.empty() ? NULL : workDir.c_str(), &startup, &info_);
        if (!started && GetLastError() != ERROR_INTERNAL_ERROR)
            break;
    }
    if (!started)
        return AssertionFailure() << "cannot start " << line << " (error " << GetLastError() << ")";
    return AssertionSuccess();
}

AssertionResult Process::WaitForExit(DWORD *code, DWORD timeoutMs)
{
    if (!info_.hProcess)
        return AssertionFailure() << "no process was started";
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return AssertionFailure() << "the process did not end within " << timeoutMs << " ms";
    GetExitCodeProcess(info_.hProcess, code);
    return AssertionSuccess();
}

AssertionResult Process::WaitForIdle(DWORD timeoutMs)
{
    if (WaitForInputIdle(info_.hProcess, timeoutMs) != 0)
        return AssertionFailure() << "the program did not come to rest within " << timeoutMs << " ms";
    return AssertionSuccess();
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

static std::string ClassName(HWND window)
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
    return control ? WindowText(control) : "<no control " + std::to_string(id) + ">";
}

bool ControlEnabled(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowEnabled(control);
}

bool ControlChecked(HWND dialog, int id)
{
    DWORD_PTR state = 0;
    if (HWND control = GetDlgItem(dialog, id))
        SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

std::vector<HWND> TopWindows(DWORD pid, const char *className)
{
    struct Find { DWORD pid; const char *className; std::vector<HWND> found; } find = {pid, className, {}};
    EnumWindows([](HWND window, LPARAM param) {
        Find *f = (Find *)param;
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == f->pid && IsWindowVisible(window) && lstrcmpiA(ClassName(window).c_str(), f->className) == 0)
            f->found.push_back(window);
        return TRUE;
    }, (LPARAM)&find);
    return find.found;
}

AssertionResult WaitUntil(const std::function<bool()> &pred, const std::string &what, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); !pred(); Sleep(50))
        if (GetTickCount() - start > timeoutMs)
            return AssertionFailure() << "timed out after " << timeoutMs << " ms waiting for " << what;
    return AssertionSuccess();
}

AssertionResult WaitForWindow(DWORD pid, const char *className, HWND *window, DWORD timeoutMs)
{
    *window = NULL;
    return WaitUntil([&] {
        std::vector<HWND> found = TopWindows(pid, className);
        return !found.empty() && (*window = found.front()) != NULL;
    }, std::string("a window of class ") + className, timeoutMs);
}

MessageBoxInfo ReadMessageBox(HWND window)
{
    MessageBoxInfo box;
    box.window = window;
    box.caption = WindowText(window);
    std::vector<HWND> children;
    EnumChildWindows(window, [](HWND child, LPARAM list) { return ((std::vector<HWND> *)list)->push_back(child), TRUE; },
                     (LPARAM)&children);
    for (HWND child : children) {
        std::string cls = ClassName(child);
        if (lstrcmpiA(cls.c_str(), "Static") == 0 && box.text.empty())
            box.text = WindowText(child);
        else if (lstrcmpiA(cls.c_str(), "Button") == 0 && IsWindowVisible(child))
            box.buttons.push_back(GetDlgCtrlID(child));
    }
    return box;
}

AssertionResult WaitForMessageBox(DWORD pid, MessageBoxInfo *box, DWORD timeoutMs)
{
    // The box is visible before its text and buttons are all in place.
    return WaitUntil([&] {
        std::vector<HWND> found = TopWindows(pid, "#32770");
        return !found.empty() && !(*box = ReadMessageBox(found.front())).buttons.empty();
    }, "a message box with its buttons", timeoutMs);
}

AssertionResult AnswerMessageBox(const MessageBoxInfo &box, int buttonId, DWORD timeoutMs)
{
    HWND window = box.window;
    if (AssertionResult pressed = PressButton(window, buttonId); !pressed)
        return pressed << " in the message box \"" << box.text << "\"";
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, "the message box to close",
                     timeoutMs);
}

void SendCommand(HWND dialog, int id, int notification)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notification), (LPARAM)GetDlgItem(dialog, id));
}

AssertionResult PressButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (!button)
        return AssertionFailure() << "the window has no button " << id;
    if (!IsWindowEnabled(button))
        return AssertionFailure() << "button " << id << " (" << WindowText(button) << ") is disabled";
    SendCommand(dialog, id);
    return AssertionSuccess();
}

void SetControlText(HWND dialog, int id, const std::string &text)
{
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0, (LPARAM)text.c_str(), SMTO_ABORTIFHUNG, 5000, NULL);
}

AssertionResult OpenChooserFolder(HWND chooser, const char *item)
{
    HWND list = GetDlgItem(chooser, kChooserList);
    DWORD_PTR index = (DWORD_PTR)-1;
    SendMessageTimeoutA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)item, SMTO_ABORTIFHUNG, 5000, &index);
    if ((int)index < 0)
        return AssertionFailure() << "no " << item << " in the chooser";
    std::string before = ControlText(chooser, kChooserFolder);
    SendMessageTimeoutA(list, LB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 5000, NULL);
    SendCommand(chooser, kChooserList, LBN_DBLCLK);
    return WaitUntil([&] { return ControlText(chooser, kChooserFolder) != before; },
                     std::string("the chooser to open ") + item);
}

AssertionResult ClickListItem(HWND list, const std::string &item)
{
    DWORD_PTR index = (DWORD_PTR)-1, height = 0, top = 0;
    SendMessageTimeoutA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)item.c_str(), SMTO_ABORTIFHUNG, 5000, &index);
    SendMessageTimeoutA(list, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 5000, &height);
    SendMessageTimeoutA(list, LB_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, 5000, &top);
    if ((int)index < 0)
        return AssertionFailure() << "no " << item << " in the list";
    LPARAM at = MAKELPARAM(4, (index - top) * height + height / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    return AssertionSuccess();
}

int PageOf(HWND window)
{
    static const int kMarks[][2] = {{70, 10020}, {60, 10001}, {1200, 10002}, {1300, 10003},
                                    {1003, 10004}, {1006, 10000}, {1002, 10021}};
    for (const auto &m : kMarks)
        if (GetDlgItem(window, m[0]))
            return m[1];
    return 0;
}

}  // namespace robot
