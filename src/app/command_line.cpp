#include "app/command_line.h"

#include "base/setup_state.h"
#include "base/text.h"
#include "shell/directory.h"
#include "resource.h"

// The -S directory's full form, taken only when it could be resolved.
static char sourceOption[PATH_TEXT_SIZE];

// An option's value as the line gives it.
struct OptionValue {
    const unsigned char *text;
    size_t length;
    int unterminated;   // an opening quote without its closing one
};

// Handles one option token; returns where the rest of the token starts.
typedef const unsigned char *(*OptionHandler)(unsigned char letter, const unsigned char *token);

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
    if (!FullFolderOf((const char *)path, length, sourceOption, sizeof sourceOption))
        return;
    CopyText(setup.sourceDir, sizeof setup.sourceDir, sourceOption);
    setup.sourceDirLen = (DWORD)TextLength(setup.sourceDir);
}

// p points at the byte after the option's letter: a value glued to it, or
// one in double quotes (a tab or line break ends a quoted value unclosed).
// Returns where the rest of the token starts.
static const unsigned char *ReadOptionValue(const unsigned char *p, OptionValue *value)
{
    value->unterminated = 0;
    if (*p == '"') {
        const unsigned char *end = p + 1;
        while (*end >= ' ' && *end != '"')
            end++;
        value->text = p + 1;
        value->length = (size_t)(end - value->text);
        if (*end != '"') {
            value->unterminated = 1;
            return end;   // scanning goes on at that byte
        }
        return end + 1;
    }
    const unsigned char *end = SkipToken(p);
    value->text = p;
    value->length = (size_t)(end - p);
    return end;
}

// An unusable -S value is ignored.
static const unsigned char *ParseSourceOption(const unsigned char *p)
{
    OptionValue value;
    const unsigned char *rest = ReadOptionValue(p, &value);
    if (!value.unterminated && value.length > 0)
        TakeSourcePath(value.text, value.length);
    return rest;
}

// Stores a value of -T, -G or -L trimmed as a page trims its field. One
// without its closing quote, or longer than buffer, stores "" and is noted.
static const unsigned char *ParseTextOption(const unsigned char *p, char *buffer, size_t size)
{
    OptionValue value;
    const unsigned char *rest = ReadOptionValue(p, &value);
    buffer[0] = 0;
    if (value.unterminated || value.length + 1 > size) {
        if (setup.optionError == 0)
            setup.optionError = IDS_BAD_OPTION;
        return rest;
    }
    for (size_t i = 0; i < value.length; i++)
        buffer[i] = (char)value.text[i];
    TrimText(buffer, (int)value.length);
    return rest;
}

static void ScanOptions(const char *commandLine, OptionHandler handle)
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
            p = handle(letter, p);
        }
        p = SkipToken(p);
    }
}

static const unsigned char *HandleStartOption(unsigned char letter, const unsigned char *token)
{
    if ((letter == 'C' || letter == 'D' || letter == 'U') && EndsToken(token[2])) {
        if (letter == 'C')
            setup.skipIfInstalled = 1;
        else if (letter == 'D')
            setup.debugMessages = 1;
        else
            setup.removeMode = 1;
    } else if (letter == 'S') {
        return ParseSourceOption(token + 2);
    }
    return token;
}

static BYTE *QuietFlagFor(unsigned char letter)
{
    switch (letter) {
    case 'Q':
        return &setup.quiet;
    case 'M':
        return &setup.quietMinimal;
    case 'N':
        return &setup.quietNoGroup;
    case 'K':
        return &setup.quietNoDesktopIcon;
    }
    return NULL;
}

static const unsigned char *HandleQuietOption(unsigned char letter, const unsigned char *token)
{
    switch (letter) {
    case 'T':
        setup.quietTargetGiven = 1;
        return ParseTextOption(token + 2, setup.quietTarget, sizeof setup.quietTarget);
    case 'G':
        setup.quietGroupGiven = 1;
        return ParseTextOption(token + 2, setup.quietGroup, sizeof setup.quietGroup);
    case 'L':
        return ParseTextOption(token + 2, setup.logPath, sizeof setup.logPath);
    }
    BYTE *flag = QuietFlagFor(letter);
    if (flag != NULL && EndsToken(token[2]))
        *flag = 1;
    return token;
}

void ParseCommandLine(const char *commandLine)
{
    ScanOptions(commandLine, HandleStartOption);
}

void ParseQuietOptions(const char *commandLine)
{
    ScanOptions(commandLine, HandleQuietOption);
}
