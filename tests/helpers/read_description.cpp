// The description reader in a process of its own, for tests that answer its
// boxes and its folder chooser; success ends in a box "sourceDir sourceDirLen".
//   read_description.exe [-D] DIRECTORY; the exit code is the result.
#include <stdlib.h>
#include <string.h>

#include "base/setup_state.h"
#include "base/text.h"
#include "app/wizard.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ResetSetupState();
    setup.hInstance = instance;
    setup.debugMessages = __argc > 2 && strcmp(__argv[1], "-D") == 0;
    FormatText(setup.sourceDir, sizeof setup.sourceDir, "%s\\", __argv[__argc - 1]);
    int result = ReadMediumDescription();
    FormatText(setup.textBuffer, sizeof setup.textBuffer, "%s %lu", setup.sourceDir, setup.sourceDirLen);
    if (result)
        MessageBoxA(NULL, setup.textBuffer, "done", MB_OK);
    return result;
}
