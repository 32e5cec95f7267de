// A small shared library of the sample publication, installed into the system
// directory with a version test.
#include <windows.h>

extern "C" __declspec(dllexport) int VzorkaVersion()
{
    return 100;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
