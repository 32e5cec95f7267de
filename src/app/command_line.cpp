#include "app/command_line.h"

#include "base/setup_state.h"
#include "base/text.h"

// The -S path with "\w.w" appended, before it is made absolute.
static char sourceOption[PATH_TEXT_SIZE];

// Every byte from 1 to 32 separates tokens; 0 ends the line.
static int IsSeparator(unsigned char c)
{
    return c >= 1 && c <= ' ';
}

static int EndsToken(unsigned char c)
{
    return c <= ' ';
}

static const unsigned char *SkipToken(const unsigned char *p)
{
    while (!EndsToken(*p))
        p++;
    return p;
}

// Makes the -S path absolute and takes it as the source directory. A path
// that does not fit or cannot be resolved leaves sourceDir as it was.
static void TakeSourcePath(const unsigned char *path, size_t length)
{
    if (length + 1 > sizeof sourceOption)
        return;
    for (size_t i = 0; i < length; i++)
        sourceOption[i] = (char)path[i];
    sourceOption[length] = 0;
    StripTrailingBackslash(sourceOption, 0);
    // A dummy file name, so that the directory comes out as the path of a
    // file's folder; a bare drive letter then names the drive's root.
    if (!AppendText(sourceOption, sizeof sourceOption, "\\w.w"))
        return;

    char *filePart = NULL;
    DWORD full = GetFullPathNameA(sourceOption, MAX_PATH_CHARS + 1, setup.pathBuffer, &filePart);
    if (full == 0 || filePart == NULL || full > MAX_PATH_CHARS)
        return;
    *filePart = 0;
    CopyText(setup.sourceDir, sizeof setup.sourceDir, setup.pathBuffer);
    setup.sourceDirLen = (DWORD)TextLength(setup.sourceDir);
}

// p points at the byte after "-S"; returns where the rest of the token starts.
static const unsigned char *ParseSourceOption(const unsigned char *p)
{
    if (*p == '"') {
        const unsigned char *path = p + 1;
        const unsigned char *end = path;
        while (*end >= ' ' && *end != '"')
            end++;
        if (*end != '"')
            return end;   // unterminated: ignored, scanning goes on at that byte
        if (end > path)
            TakeSourcePath(path, (size_t)(end - path));
        return end + 1;
    }
    const unsigned char *end = SkipToken(p);
    if (end > p)
        TakeSourcePath(p, (size_t)(end - p));
    return end;
}

void ParseCommandLine(const char *commandLine)
{
    if (commandLine == NULL)
        return;
    const unsigned char *p = (const unsigned char *)commandLine;
    for (;;) {
        while (IsSeparator(*p))
            p++;
        if (*p == 0)
            return;
        if (*p == '-') {
            unsigned char letter = p[1];
            if (letter >= 'a' && letter <= 'z')
                letter = (unsigned char)(letter - 'a' + 'A');
            if ((letter == 'C' || letter == 'D' || letter == 'U') && EndsToken(p[2])) {
                if (letter == 'C')
                    setup.skipIfInstalled = 1;
                else if (letter == 'D')
                    setup.debugMessages = 1;
                else
                    setup.removeMode = 1;
            } else if (letter == 'S') {
                p = ParseSourceOption(p + 2);
            }
        }
        p = SkipToken(p);
    }
}
