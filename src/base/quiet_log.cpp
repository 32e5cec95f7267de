#include "base/quiet_log.h"

#include "base/text.h"

static char logLine[LOG_LINE_SIZE];
static DWORD logWritten;   // not examined
static const char kLineEnd[] = "\r\n";
// Every line says which computer wrote it and when: one log may gather the
// runs of many computers.
static char computerName[MAX_COMPUTERNAME_LENGTH + 1];
static DWORD computerNameSize;
static SYSTEMTIME now;

void OpenQuietLog()
{
    if (setup.logPath[0] == 0 || setup.logFile != NULL)
        return;
    // For appending only, shared with the other runs: the system puts each
    // write at the end as it is at that moment, on a server's disk too, so
    // that no run overwrites another's lines. Windows 95 and 98 know only
    // the generic rights: there each write moves to the end first.
    DWORD access = (GetVersion() & 0x80000000) != 0 ? GENERIC_WRITE : FILE_APPEND_DATA;
    HANDLE file = CreateFileA(setup.logPath, access, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE)
        setup.logFile = file;
    computerNameSize = sizeof computerName;
    GetComputerNameA(computerName, &computerNameSize);
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
    GetLocalTime(&now);
    // The date, the time and the computer's name fit: the name has 15 characters at most.
    size_t length = (size_t)FormatText(logLine, sizeof logLine, "%04u-%02u-%02u %02u:%02u:%02u %s ", now.wYear,
                                       now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, computerName);
    length += FoldLineBreaks(logLine + length, sizeof logLine - length - (sizeof kLineEnd - 1), text);
    for (size_t i = 0; i < sizeof kLineEnd - 1; i++)
        logLine[length++] = kLineEnd[i];
    // One write per line, so that a line stays whole. A log that fills its
    // disk does not stop the installation.
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
