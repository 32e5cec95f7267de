#include "findings.h"

#include <stdarg.h>
#include <stdio.h>

#include "base/messages.h"
#include "base/sizes.h"
#include "base/text.h"
#include "checker_ids.h"
#include "resource.h"

Report report;

enum {
    LINE_SIZE = 1024,
    WIDE_SIZE = 1024,
    OUT_SIZE = 3 * WIDE_SIZE,   // a UTF-16 unit takes at most 3 bytes in UTF-8
    ESCAPED_SIZE = 6 * OUT_SIZE // "\u00XX" for every byte at worst
};

static char line[LINE_SIZE];
static WCHAR wide[WIDE_SIZE];
static char converted[OUT_SIZE];
static char escaped[ESCAPED_SIZE];

void AddFinding(Severity severity, const char *section, const char *key, UINT textId, ...)
{
    if (severity == FINDING_ERROR)
        report.errors++;
    else
        report.warnings++;
    if (report.count >= MAX_FINDINGS) {
        report.dropped++;
        return;
    }
    Finding &finding = report.findings[report.count++];
    finding.severity = severity;
    finding.textId = (WORD)textId;
    CopyText(finding.section, sizeof finding.section, section);
    CopyText(finding.key, sizeof finding.key, key);
    va_list args;
    va_start(args, textId);
    _vsnprintf(finding.text, sizeof finding.text, LoadText(textId), args);
    va_end(args);
    finding.text[sizeof finding.text - 1] = 0;
}

int ExitCode()
{
    if (report.errors != 0)
        return 2;
    return report.warnings != 0 ? 1 : 0;
}

// Text in code page from recoded to code page to, in converted; 0 when that
// fails (the text is then written as it is).
static int Recode(const char *text, UINT from, UINT to)
{
    int units = MultiByteToWideChar(from, 0, text, -1, wide, WIDE_SIZE);
    if (units == 0)
        return 0;
    return WideCharToMultiByte(to, 0, wide, units, converted, sizeof converted, NULL, NULL);
}

// A console shows its own code page; a pipe or a file gets the text as it is:
// the ANSI code page for the lines, UTF-8 for JSON.
static void WriteIn(const char *text, UINT codePage)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode, written;
    UINT consoleCp = GetConsoleMode(out, &mode) ? GetConsoleOutputCP() : 0;
    if (consoleCp != 0 && consoleCp != codePage && Recode(text, codePage, consoleCp))
        text = converted;
    WriteFile(out, text, (DWORD)TextLength(text), &written, NULL);
}

static void Write(const char *text)
{
    WriteIn(text, GetACP());
}

static void WriteJson(const char *utf8)
{
    WriteIn(utf8, CP_UTF8);
}

static void WriteLine(const char *text)
{
    Write(text);
    Write("\r\n");
}

static void WriteFormatted(UINT textId, ...)
{
    va_list args;
    va_start(args, textId);
    _vsnprintf(line, sizeof line, LoadText(textId), args);
    va_end(args);
    line[sizeof line - 1] = 0;
    WriteLine(line);
}

// "(x,yy MB)" as the installation type page shows a size.
static void FormatMb(char *buffer, size_t size, DWORD kb)
{
    DWORD megabytes;
    UINT hundredths;
    SplitKbToMb(kb, &megabytes, &hundredths);
    FormatText(buffer, size, LoadText(IDS_TYPE_SIZE), megabytes, hundredths);
}

void PrintText()
{
    static char where[2 * FINDING_KEY_SIZE + 8];
    static char severity[32];
    WriteFormatted(IDS_CHK_MEDIUM, setup.sourceDir);
    for (WORD i = 0; i < report.count; i++) {
        const Finding &f = report.findings[i];
        CopyText(severity, sizeof severity,
                 LoadText(f.severity == FINDING_ERROR ? IDS_CHK_ERROR : IDS_CHK_WARNING));
        where[0] = 0;
        if (f.section[0] != 0)
            FormatText(where, sizeof where, " [%s]", f.section);
        if (f.key[0] != 0) {
            AppendText(where, sizeof where, " ");
            AppendText(where, sizeof where, f.key);
        }
        FormatText(line, sizeof line, "%s%s: %s", severity, where, f.text);
        WriteLine(line);
    }
    if (report.dropped != 0)
        WriteLine("...");
    if (report.descriptionFound) {
        static char size[64];
        WriteFormatted(IDS_CHK_TITLE, setup.title);
        WriteFormatted(IDS_CHK_TARGET, setup.targetDir);
        WriteFormatted(IDS_CHK_GROUP, setup.groupName);
        FormatMb(size, sizeof size, report.minimalKb);
        WriteFormatted(IDS_CHK_MINIMAL, size);
        FormatMb(size, sizeof size, report.maximalKb);
        WriteFormatted(IDS_CHK_MAXIMAL, size);
        const WORD *k = report.filesByKind;
        WriteFormatted(IDS_CHK_KINDS, k[0], k[1], k[2], k[3], k[4]);
        WriteFormatted(IDS_CHK_POOL, setup.poolUsed, STRING_POOL_SIZE);
    }
    WriteFormatted(IDS_CHK_TOTALS, report.errors, report.warnings);
}

// A JSON string: the ANSI text in UTF-8, quoted and escaped.
static const char *JsonString(const char *text)
{
    const char *utf8 = Recode(text, CP_ACP, CP_UTF8) ? converted : "";
    size_t used = 0;
    escaped[used++] = '"';
    for (const unsigned char *p = (const unsigned char *)utf8; *p != 0; p++) {
        if (used + 8 >= sizeof escaped)
            break;
        if (*p == '"' || *p == '\\') {
            escaped[used++] = '\\';
            escaped[used++] = (char)*p;
        } else if (*p < 0x20) {
            used += (size_t)FormatText(escaped + used, sizeof escaped - used, "\\u%04x", *p);
        } else {
            escaped[used++] = (char)*p;
        }
    }
    escaped[used++] = '"';
    escaped[used] = 0;
    return escaped;
}

// Writes "name":"value" with the separator before it.
static void JsonText(const char *separator, const char *name, const char *value)
{
    WriteJson(separator);
    WriteJson(JsonString(name));
    WriteJson(":");
    WriteJson(JsonString(value));
}

static void JsonNumber(const char *separator, const char *name, unsigned long value)
{
    FormatText(line, sizeof line, "%s\"%s\":%lu", separator, name, value);
    WriteJson(line);
}

void PrintJson()
{
    static char size[64];
    JsonText("{", "medium", setup.sourceDir);
    JsonNumber(",", "exitCode", (unsigned long)ExitCode());
    JsonNumber(",", "errors", report.errors);
    JsonNumber(",", "warnings", report.warnings);
    JsonNumber(",", "omitted", report.dropped);
    WriteJson(",\"findings\":[");
    for (WORD i = 0; i < report.count; i++) {
        const Finding &f = report.findings[i];
        JsonText(i == 0 ? "{" : ",{", "severity", f.severity == FINDING_ERROR ? "error" : "warning");
        JsonNumber(",", "code", f.textId);
        JsonText(",", "section", f.section);
        JsonText(",", "key", f.key);
        JsonText(",", "text", f.text);
        WriteJson("}");
    }
    WriteJson("]");
    if (report.descriptionFound) {
        JsonText(",", "title", setup.title);
        JsonText(",", "targetDir", setup.targetDir);
        JsonText(",", "group", setup.groupName);
        JsonNumber(",", "minimalKb", report.minimalKb);
        JsonNumber(",", "maximalKb", report.maximalKb);
        FormatMb(size, sizeof size, report.minimalKb);
        JsonText(",", "minimal", size);
        FormatMb(size, sizeof size, report.maximalKb);
        JsonText(",", "maximal", size);
        const WORD *k = report.filesByKind;
        FormatText(line, sizeof line, ",\"filesByKind\":[%u,%u,%u,%u,%u]", k[0], k[1], k[2], k[3], k[4]);
        WriteJson(line);
        JsonNumber(",", "poolUsed", setup.poolUsed);
        JsonNumber(",", "poolSize", STRING_POOL_SIZE);
    }
    WriteJson("}\n");
}
