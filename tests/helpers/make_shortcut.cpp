// Writes one shortcut file through the installer's shortcut writer, for
// checks by readers outside Wine.
//   make_shortcut.exe SHORTCUT TARGET ICON|- WORKDIR|-
// The exit code is CreateShortcut's result.
#include <stdlib.h>
#include <string.h>

#include "shell/shortcuts.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 5)
        return 2;
    const char *icon = strcmp(__argv[3], "-") == 0 ? NULL : __argv[3];
    const char *workingDir = strcmp(__argv[4], "-") == 0 ? NULL : __argv[4];
    return CreateShortcut(__argv[1], __argv[2], NULL, icon, workingDir, NULL);
}
