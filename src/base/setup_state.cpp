#include "base/setup_state.h"

#include <string.h>

SetupState setup;

void ResetSetupState()
{
    memset(&setup, 0, sizeof setup);
    setup.pathSuffix[0] = '\\';
    setup.installType = INSTALL_MAXIMAL;
    setup.createGroup = 1;
    setup.createDesktopIcon = 1;
    setup.targetDir[0] = 'C';
    setup.targetDir[1] = ':';
    setup.firstPage = 1;
}

void TrimSourceDir()
{
    setup.sourceDir[setup.sourceDirLen] = 0;
}
