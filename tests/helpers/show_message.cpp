// Shows one message of the installer's string table through the installer's
// own message code: show_message.exe ID. The exit code is ShowMessageId's result.
#include <stdlib.h>

#include "base/messages.h"
#include "base/setup_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    ResetSetupState();
    setup.hInstance = instance;
    return ShowMessageId((UINT)atoi(commandLine));
}
