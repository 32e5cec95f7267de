#include "app/setup_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    setup.hInstance = instance;
    return 0;
}
