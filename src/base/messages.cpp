#include "base/messages.h"

#include "base/quiet_log.h"
#include "base/setup_state.h"
#include "base/text.h"

char stringBuffer[STRING_BUFFER_SIZE];

static const char kCaption[] = "TALVIREX";

// A message formatted with a path or a title: the text and a path of MAX_PATH_CHARS.
static char formattedMessage[STRING_BUFFER_SIZE + MAX_PATH_CHARS];

// 1 when the text starts with a kind byte, which is not shown.
static int HasKindByte(const char *text)
{
    unsigned char kind = (unsigned char)text[0];
    return kind >= 1 && kind <= 6;
}

// The text as shown or logged.
static const char *ShownText(const char *text)
{
    return text + HasKindByte(text);
}

MessageStyle MessageStyleFor(const char *text)
{
    MessageStyle s = {MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL, 0, 0};
    if (!HasKindByte(text))
        return s;
    unsigned char kind = (unsigned char)text[0];
    s.skipFirstByte = 1;
    if (kind == KIND_ERROR) {
        s.style = MB_OK | MB_ICONHAND | MB_TASKMODAL;
    } else if (kind == KIND_QUESTION) {
        s.style = MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL;
        s.isQuestion = 1;
    } else if (kind >= KIND_INFORMATION) {
        // Information boxes have only OK, and their result counts as "not Yes".
        s.style = MB_OK | MB_ICONASTERISK | MB_TASKMODAL;
        s.isQuestion = 1;
    }
    return s;
}

char *LoadText(UINT id)
{
    // A missing text must read as empty, whatever the loader leaves behind.
    stringBuffer[0] = 0;
    LoadStringA(setup.hInstance, (UINT)LOWORD(id), stringBuffer, sizeof stringBuffer);
    return stringBuffer;
}

WORD ShowMessage(const char *text)
{
    MessageStyle s = MessageStyleFor(text);
    LogLine(text + s.skipFirstByte);
    MessageBeep(MB_OK);
    int answer = MessageBoxA(NULL, text + s.skipFirstByte, kCaption, s.style);
    if (!s.isQuestion)
        return 1;
    return answer == IDYES ? 1 : 0;
}

WORD ShowMessageId(UINT id)
{
    char *text = LoadText(id);
    if (setup.quiet)
        return NoteQuietMessage(id, ShownText(text));
    return ShowMessage(text);
}

void ShowDiagnostic(const char *caption, const char *text)
{
    LogLine(text);
    if (!setup.quiet)
        MessageBoxA(NULL, text, caption, MB_TASKMODAL | MB_ICONINFORMATION);
}

static const char *FormatMessageId(UINT id, const char *argument)
{
    FormatText(formattedMessage, sizeof formattedMessage, LoadText(id), argument);
    return formattedMessage;
}

WORD ShowMessageIdWith(UINT id, const char *argument)
{
    const char *text = FormatMessageId(id, argument);
    if (setup.quiet)
        return NoteQuietMessage(id, ShownText(text));
    return ShowMessage(text);
}

void LogMessageIdWith(UINT id, const char *argument)
{
    LogLine(ShownText(FormatMessageId(id, argument)));
}

void ShowNoticeIdWith(UINT id, const char *argument)
{
    if (!setup.quiet)
        ShowMessageIdWith(id, argument);
    else
        LogMessageIdWith(id, argument);
}
