#include "app/remove_command.h"

#include "base/messages.h"
#include "base/text.h"
#include "description/description.h"
#include "install/removal.h"
#include "resource.h"
#include "ui/page_proc.h"

static char helperDirectory[PATH_TEXT_SIZE];

static ErrorCode CheckRemoval()
{
    ErrorCode error = ReadCopiedDescription();
    if (error == 0)
        error = FindRegistration();
    if (error == 0 && !EnumWindows(SearchAppsEnum, 0))
        error = IDS_CLOSE_VIEWERS;
    return error;
}

ErrorCode RemovePublication()
{
    ErrorCode error = CheckRemoval();
    if (error != 0) {
        ShowMessageId(error);
        return error;
    }
    // A quiet removal asks nothing: -U -Q is the administrator's answer already.
    if (!setup.quiet && !ShowMessageIdWith(IDS_REMOVE_CONFIRM, setup.title))
        return IDS_REMOVE_DECLINED;
    error = RemoveInstallation(kDescriptionName);
    if (error != 0) {
        ShowMessageIdWith(error, setup.pathBuffer);
        return error;
    }
    // Without the helper the executable and its folder stay; the publication is gone all the same.
    StartRemovalHelper();
    ShowNoticeIdWith(IDS_REMOVED, setup.title);
    return 0;
}

static int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int ParseHelperCommand(const char *commandLine, HANDLE *handle, char *directory, size_t size)
{
    if (commandLine == NULL || commandLine[0] != '-' || commandLine[1] != 'W')
        return 0;
    const char *p = commandLine + 2;
    ULONG_PTR value = 0;
    int digits = 0;
    for (; HexDigit(*p) >= 0; p++, digits++)
        value = value * 16 + (ULONG_PTR)HexDigit(*p);
    if (digits == 0 || digits > 8 || p[0] != ' ' || p[1] != '"')
        return 0;
    const char *start = p + 2;
    const char *end = start;
    while (*end != 0 && *end != '"')
        end++;
    size_t length = (size_t)(end - start);
    if (*end != '"' || end[1] != 0 || length == 0 || length >= size || length > MAX_PATH_CHARS)
        return 0;
    CopyText(directory, length + 1, start);
    *handle = (HANDLE)value;
    return 1;
}

int RunRemovalHelper(const char *commandLine)
{
    HANDLE original = NULL;
    if (!ParseHelperCommand(commandLine, &original, helperDirectory, sizeof helperDirectory))
        return 0;
    FinishRemoval(original, helperDirectory);
    return 1;
}
