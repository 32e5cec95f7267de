#include "shell/desktop_shell.h"

#include <windows.h>

#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

enum { ADDRESS_CHARS = 300 };

// A BSTR of the program's own: its length in bytes, then the characters.
// Only ever passed in, so nothing of oleaut32 is needed to make or free it.
static struct {
    DWORD bytes;
    WCHAR text[ADDRESS_CHARS];
} addressString;
static VARIANT none;   // VT_EMPTY: every optional argument left out
static LONG desktopWindow;
// Each object on the way, asked for the next; all released at the end. A
// call that fails leaves the next one null, as COM has it, and so do the rest.
static IUnknown *way[9];

// The desktop's folder view, found through the shell's list of its windows,
// belongs to the shell's process: what its application object runs is that
// process's child.
static HRESULT RunThroughDesktop()
{
    CoCreateInstance(CLSID_ShellWindows, NULL, CLSCTX_LOCAL_SERVER, IID_IShellWindows, (void **)&way[0]);
    if (way[0])
        ((IShellWindows *)way[0])->FindWindowSW(&none, &none, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH,
                                                (IDispatch **)&way[1]);
    if (way[1])
        way[1]->QueryInterface(IID_IServiceProvider, (void **)&way[2]);
    if (way[2])
        ((IServiceProvider *)way[2])->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, (void **)&way[3]);
    if (way[3])
        ((IShellBrowser *)way[3])->QueryActiveShellView((IShellView **)&way[4]);
    if (way[4])
        ((IShellView *)way[4])->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, (void **)&way[5]);
    if (way[5])
        way[5]->QueryInterface(IID_IShellFolderViewDual, (void **)&way[6]);
    if (way[6])
        ((IShellFolderViewDual *)way[6])->get_Application((IDispatch **)&way[7]);
    if (way[7])
        way[7]->QueryInterface(IID_IShellDispatch2, (void **)&way[8]);
    HRESULT result = E_FAIL;
    if (way[8])
        result = ((IShellDispatch2 *)way[8])->ShellExecute(addressString.text, none, none, none, none);
    for (IUnknown *&object : way) {
        if (object)
            object->Release();
        object = NULL;
    }
    return result;
}

int OpenAsDesktopUser(const char *address)
{
    int length = MultiByteToWideChar(CP_ACP, 0, address, -1, addressString.text, ADDRESS_CHARS);
    if (length == 0)
        return 0;
    addressString.bytes = (DWORD)(length - 1) * sizeof(WCHAR);
    CoInitialize(NULL);
    HRESULT result = RunThroughDesktop();
    CoUninitialize();
    return SUCCEEDED(result);
}
