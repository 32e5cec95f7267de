#include "ui/folder_chooser.h"

#include <commdlg.h>
#include <string.h>

#include "base/setup_state.h"
#include "base/text.h"
#include "resource.h"
#include "shell/system_library.h"

// Browsing presets a name that need not exist; the dialog returns it behind
// the chosen directory, and the trim takes it off again.
static const char kBrowseName[] = "_";

static const DWORD kLocateFlags =
    OFN_HIDEREADONLY | OFN_ENABLETEMPLATE | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
static const DWORD kBrowseFlags = OFN_HIDEREADONLY | OFN_ENABLETEMPLATE;

typedef BOOL(WINAPI *GetOpenFileNameProc)(LPOPENFILENAMEA request);

// The common dialogs are loaded by full path when first shown, not imported:
// loading them loads the common controls, which take the theme DLL by bare
// name at once, before the installer has kept the DLL search to the system
// directory. Without them the dialog reads as cancelled.
static BOOL ShowOpenDialog(OPENFILENAMEA *request)
{
    HMODULE dialogs = LoadSystemLibrary("comdlg32.dll");
    GetOpenFileNameProc show =
        dialogs != NULL ? (GetOpenFileNameProc)(void *)GetProcAddress(dialogs, "GetOpenFileNameA") : NULL;
    return show != NULL && show(request);
}

// The open-file dialog with the chooser's template; buffer gets the untrimmed answer.
static BOOL RunChooser(HWND owner, char *buffer, const char *presetName, const char *initialDir,
                       DWORD flags)
{
    CopyText(buffer, CHOOSER_BUFFER_SIZE, presetName);
    OPENFILENAMEA request;
    memset(&request, 0, sizeof request);
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = owner;
    request.hInstance = setup.hInstance;
    request.lpstrFile = buffer;
    request.nMaxFile = CHOOSER_BUFFER_SIZE;
    request.lpstrInitialDir = initialDir;
    request.Flags = flags;
    request.lpTemplateName = MAKEINTRESOURCEA(IDD_CHOOSER);
    return ShowOpenDialog(&request);
}

static int IsFile(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void TrimChooserPath(char *path)
{
    size_t length = TextLength(path);
    if (length >= 5)
        path[length - 2] = 0;
    else if (length > 0)
        path[length - 1] = 0;
}

int LocateMedium(char *buffer, const char *descriptionName)
{
    for (;;) {
        if (!RunChooser(NULL, buffer, descriptionName, NULL, kLocateFlags))
            return 0;
        // Not every system's dialog of this style honours OFN_FILEMUSTEXIST (and
        // one may cut a long answer to the buffer); a directory without the
        // description is not accepted, the user is asked again.
        if (IsFile(buffer))
            break;
    }
    TrimChooserPath(buffer);
    return 1;
}

int BrowseForDirectory(HWND owner, char *buffer, const char *initialDir)
{
    if (!RunChooser(owner, buffer, kBrowseName, initialDir, kBrowseFlags))
        return 0;
    TrimChooserPath(buffer);
    return 1;
}
