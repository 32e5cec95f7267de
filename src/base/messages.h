// String-table texts and the installer's message boxes.
#ifndef TALVIREX_MESSAGES_H
#define TALVIREX_MESSAGES_H

#include <windows.h>

enum { STRING_BUFFER_SIZE = 256 };

// Kind bytes at the start of a message text.
enum {
    KIND_ERROR = 1,
    KIND_WARNING = 2,
    KIND_QUESTION = 3,
    KIND_INFORMATION = 4
};

// The buffer every LoadText overwrites.
extern char stringBuffer[STRING_BUFFER_SIZE];

// Style and result of a message box for a text, chosen by its first byte.
struct MessageStyle {
    UINT style;        // MessageBoxA style
    int skipFirstByte; // the first byte is a kind and is not shown
    int isQuestion;    // result is 1 only for Yes
};
MessageStyle MessageStyleFor(const char *text);

char *LoadText(UINT id);
WORD ShowMessage(const char *text);
// Shows string id in its box (and logs it); in a quiet run notes and logs it
// instead and answers "No".
WORD ShowMessageId(UINT id);
// Shows message id with its one %s replaced by argument.
WORD ShowMessageIdWith(UINT id, const char *argument);

// A message that reports and does not end anything: a box in the wizard, only
// a log line in a quiet run (it leaves the exit code alone).
void ShowNoticeIdWith(UINT id, const char *argument);

// Message id with its one %s replaced by argument, as a line of the -L log only.
void LogMessageIdWith(UINT id, const char *argument);

// The second box of -D with a description's or medium's detail, and its log
// line; a quiet run has the line only.
void ShowDiagnostic(const char *caption, const char *text);

#endif
