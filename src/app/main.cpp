#include "base/setup_state.h"
#include "app/wizard.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    ResetSetupState();
    // Before anything else: the message functions load their texts from this module.
    setup.hInstance = instance;
    return RunSetup(commandLine);
}
