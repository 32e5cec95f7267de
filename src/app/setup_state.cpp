#include "app/setup_state.h"

#include <string.h>

SetupState setup = {
    NULL, "", "", "", 0, 0, 0,
    "", "", "\\", "", {}, 0, "", 0, {0, 0}, "", "", "", "",
    1, 1, 1, "C:",
    0, 0, {0, 0, 0, 0}, 1, NULL, NULL, NULL, NULL,
    "", "", ""
};

void ResetSetupState()
{
    memset(&setup, 0, sizeof setup);
    setup.pathSuffix[0] = '\\';
    setup.installType = 1;
    setup.createGroup = 1;
    setup.createDesktopIcon = 1;
    setup.targetDir[0] = 'C';
    setup.targetDir[1] = ':';
    setup.firstPage = 1;
}
