// The description reader, or with -B the directory browser, in a process of
// its own for tests that answer its boxes and its folder chooser. Success ends
// in a box showing "sourceDir sourceDirLen", or the chosen directory.
//   read_description.exe [-D|-B] DIRECTORY; the exit code is the result.
#include <stdlib.h>
#include <string.h>

#include "app/setup_state.h"
#include "app/text.h"
#include "description/description.h"
#include "description/folder_chooser.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    setup.hInstance = instance;
    const char *option = __argc > 2 ? __argv[1] : "", *dir = __argv[__argc - 1];
    int result;
    if (strcmp(option, "-B") == 0) {
        result = BrowseForDirectory(NULL, setup.pathBuffer, dir);
        CopyText(setup.textBuffer, sizeof setup.textBuffer, setup.pathBuffer);
    } else {
        setup.debugMessages = strcmp(option, "-D") == 0;
        FormatText(setup.sourceDir, sizeof setup.sourceDir, "%s\\", dir);
        result = ReadDescriptionFile();
        FormatText(setup.textBuffer, sizeof setup.textBuffer, "%s %lu", setup.sourceDir, setup.sourceDirLen);
    }
    if (result)
        MessageBoxA(NULL, setup.textBuffer, "done", MB_OK);
    return result;
}
