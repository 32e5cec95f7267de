#include "base/quiet_log.h"

static char logLine[LOG_LINE_SIZE];
static DWORD logWritten;   // not examined
static const char kLineEnd[] = "\r\n";

void OpenQuietLog()
{
    if (!setup.quiet || setup.logPath[0] == 0 || setup.logFile != NULL)
        return;
    // Shared for writing: many computers may log to one file on a server.
    HANDLE file = CreateFileA(setup.logPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE)
        setup.logFile = file;
}

void CloseQuietLog()
{
    if (setup.logFile != NULL)
        CloseHandle(setup.logFile);
    setup.logFile = NULL;
}

// Folds every run of CR and LF bytes in text into one space, into line
// (capacity size, always terminated); returns the length written.
static size_t FoldLineBreaks(char *line, size_t size, const char *text)
{
    if (size == 0)
        return 0;
    size_t length = 0;
    for (const char *p = text; *p != 0 && length + 1 < size; p++) {
        if (*p == '\r' || *p == '\n') {
            if (p[1] == '\r' || p[1] == '\n')
                continue;
            line[length++] = ' ';
        } else {
            line[length++] = *p;
        }
    }
    line[length] = 0;
    return length;
}

void LogLine(const char *text)
{
    if (setup.logFile == NULL || text == NULL || text[0] == 0)
        return;
    size_t length = FoldLineBreaks(logLine, sizeof logLine - (sizeof kLineEnd - 1), text);
    for (size_t i = 0; i < sizeof kLineEnd - 1; i++)
        logLine[length++] = kLineEnd[i];
    // At the end as it is now, behind what other runs have written meanwhile.
    // A log that fills its disk does not stop the installation.
    SetFilePointer(setup.logFile, 0, NULL, FILE_END);
    WriteFile(setup.logFile, logLine, (DWORD)length, &logWritten, NULL);
}

WORD NoteQuietMessage(UINT id, const char *text)
{
    if (setup.exitCode == 0)
        setup.exitCode = (ErrorCode)id;
    LogLine(text);
    return 0;
}
