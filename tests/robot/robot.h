// A small UI robot: starts a program, finds its windows and drives them.
// Every wait has a time limit and reports a clear failure instead of hanging.
#ifndef TALVIREX_ROBOT_H
#define TALVIREX_ROBOT_H

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace robot {

using ::testing::AssertionResult;
const DWORD kDefaultTimeoutMs = 20000;

// A started program. The destructor ends it if it is still running.
class Process {
public:
    Process() = default;
    ~Process();
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;
    // Starts exe with the command-line text args (without the program name).
    AssertionResult Start(const std::string &exe, const std::string &args, const std::string &workDir = "");
    // Waits for the process to end; its exit code goes to *code.
    AssertionResult WaitForExit(DWORD *code, DWORD timeoutMs = kDefaultTimeoutMs);
    // Waits until the program has handled all its messages (and painted) and waits for input.
    AssertionResult WaitForIdle(DWORD timeoutMs = kDefaultTimeoutMs);
    bool Running() const;
    void Kill();
    DWORD Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_ = {};
};

struct MessageBoxInfo {
    HWND window = NULL;
    std::string caption, text;
    std::vector<int> buttons;  // IDs of its push buttons (IDOK, IDYES, IDNO...)
};

// Top-level visible windows of the process whose class name equals className (ignoring case).
std::vector<HWND> TopWindows(DWORD pid, const char *className);
std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
bool ControlEnabled(HWND dialog, int id);
bool ControlChecked(HWND dialog, int id);

// Waits until pred() is true; what names what was awaited.
AssertionResult WaitUntil(const std::function<bool()> &pred, const std::string &what, DWORD timeoutMs = kDefaultTimeoutMs);
AssertionResult WaitForWindow(DWORD pid, const char *className, HWND *window, DWORD timeoutMs = kDefaultTimeoutMs);
// A message box is a dialog of class #32770.
AssertionResult WaitForMessageBox(DWORD pid, MessageBoxInfo *box, DWORD timeoutMs = kDefaultTimeoutMs);
MessageBoxInfo ReadMessageBox(HWND window);
// Presses a button of a message box (IDOK, IDYES, IDNO) and waits for it to close.
AssertionResult AnswerMessageBox(const MessageBoxInfo &box, int buttonId, DWORD timeoutMs = kDefaultTimeoutMs);

// Presses a push button of a dialog, as a click does; a missing or disabled one cannot be pressed.
AssertionResult PressButton(HWND dialog, int id);
// A control's notification to its dialog.
void SendCommand(HWND dialog, int id, int notification = BN_CLICKED);
// Sets a control's text (an edit field, say); the control notifies its parent.
void SetControlText(HWND dialog, int id, const std::string &text);

// The folder chooser (an open-file dialog): opens a folder of its list ("[..]", "[name]") by a double click.
const int kChooserList = 1121, kChooserFolder = 1088;
AssertionResult OpenChooserFolder(HWND chooser, const char *item);
// Clicks item of a list box (a simple combo box's list among them), as the mouse does.
AssertionResult ClickListItem(HWND list, const std::string &item);

// Which wizard page a window of the installer's class is, told by the controls it carries; 0 for none.
int PageOf(HWND window);

}  // namespace robot

#endif
