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
static void TakeSourceOption(const OptionValue *value)
{
    if (!value->unterminated && value->length > 0)
        TakeSourcePath(value->text, value->length);
}

// Stores a value of -T, -G or -L trimmed as a page trims its field. One
// without its closing quote, or longer than buffer, stores "" and is noted.
static void TakeTextOption(const OptionValue *value, char *buffer, size_t size)
{
    buffer[0] = 0;
    if (value->unterminated || value->length + 1 > size) {
        if (setup.optionError == 0)
            setup.optionError = IDS_BAD_OPTION;
        return;
    }
    for (size_t i = 0; i < value->length; i++)
        buffer[i] = (char)value->text[i];
    TrimText(buffer, (int)value->length);
}

// The quiet run's options are read first, before the start-up checks, so
// that those are quiet too; the others once the executable's own directory
// is known, which -S replaces.
enum OptionReading { START_READING, QUIET_READING };

// Every option. A flag counts only as a token of its own ("-CX" is none); a
// value is glued to its letter, or quoted, and then it is only that value:
// a quoted "-G\"a -U b\"" names a group and asks for no removal, whichever
// reading comes across it.
static const struct {
    unsigned char letter;
    BYTE reading;
    BYTE takesValue;
} kOptions[] = {
    {'C', START_READING, 0}, {'D', START_READING, 0}, {'U', START_READING, 0}, {'S', START_READING, 1},
    {'Q', QUIET_READING, 0}, {'M', QUIET_READING, 0}, {'N', QUIET_READING, 0}, {'K', QUIET_READING, 0},
    {'T', QUIET_READING, 1}, {'G', QUIET_READING, 1}, {'L', QUIET_READING, 1},
};

// Takes an option of the reading in progress; value is null for a flag.
static void TakeOption(unsigned char letter, const OptionValue *value)
{
    switch (letter) {
    case 'C': setup.skipIfInstalled = 1; break;
    case 'D': setup.debugMessages = 1; break;
    case 'U': setup.removeMode = 1; break;
    case 'S': TakeSourceOption(value); break;
    case 'Q': setup.quiet = 1; break;
    case 'M': setup.quietMinimal = 1; break;
    case 'N': setup.quietNoGroup = 1; break;
    case 'K': setup.quietNoDesktopIcon = 1; break;
    case 'T':
        setup.quietTargetGiven = 1;
        TakeTextOption(value, setup.quietTarget, sizeof setup.quietTarget);
        break;
    case 'G':
        setup.quietGroupGiven = 1;
        TakeTextOption(value, setup.quietGroup, sizeof setup.quietGroup);
        break;
    case 'L': TakeTextOption(value, setup.logPath, sizeof setup.logPath); break;
    }
}

// token points at an option's "-"; returns where the rest of the token starts.
static const unsigned char *ReadOption(const unsigned char *token, BYTE reading)
{
    unsigned char letter = token[1];
    if (letter >= 'a' && letter <= 'z')
        letter = (unsigned char)(letter - 'a' + 'A');
    for (const auto &option : kOptions) {
        if (option.letter != letter)
            continue;
        if (option.takesValue) {
            OptionValue value;
            const unsigned char *rest = ReadOptionValue(token + 2, &value);
            if (option.reading == reading)
                TakeOption(letter, &value);
            return rest;
        }
        if (option.reading == reading && EndsToken(token[2]))
            TakeOption(letter, NULL);
        return token;
    }
    return token;
}

static void ScanOptions(const char *commandLine, BYTE reading)
{
    if (commandLine == NULL)
        return;
    const unsigned char *p = (const unsigned char *)commandLine;
    for (;;) {
        while (IsSeparator(*p))
            p++;
        if (*p == 0)
            return;
        if (*p == '-')
            p = ReadOption(p, reading);
        p = SkipToken(p);
    }
}

void ParseCommandLine(const char *commandLine)
{
    ScanOptions(commandLine, START_READING);
}

void ParseQuietOptions(const char *commandLine)
{
    ScanOptions(commandLine, QUIET_READING);
}
