#include "shell/running.h"

#include "base/text.h"
#include "resource.h"

const char kDialogClass[] = "TALVIREX";
static const char kViewerClass[] = "KVX_APP";

// The program's rather than the stack's.
static char windowClassName[100];

int WindowHasClass(HWND window, const char *className)
{
    if (GetClassNameA(window, windowClassName, sizeof windowClassName) == 0)
        return 0;
    windowClassName[sizeof windowClassName - 1] = 0;
    return EqualIgnoringAsciiCase(windowClassName, className);
}

BOOL CALLBACK SearchInstEnum(HWND window, LPARAM)
{
    return !WindowHasClass(window, kDialogClass);
}

BOOL CALLBACK SearchAppsEnum(HWND window, LPARAM)
{
    return !WindowHasClass(window, kViewerClass);
}

ErrorCode CheckViewersClosed()
{
    return EnumWindows(SearchAppsEnum, 0) ? 0 : IDS_CLOSE_VIEWERS;
}
