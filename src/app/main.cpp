#include "base/setup_state.h"
#include "shell/system_library.h"
#include "app/runtime.h"
#include "app/wizard.h"

typedef BOOL(WINAPI *SetDefaultDllDirectoriesProc)(DWORD flags);
typedef BOOL(WINAPI *SetDllDirectoryProc)(LPCSTR directory);

// DLLs that the shell, OLE and the common dialogs and controls load by bare
// name long after start-up (themes, user profiles, device set-up,
// application compatibility, property system, desktop composition, random
// numbers for OLE, accessibility, the COM catalogue, ACL helpers, version and
// profile functions, COM resources): the set that widely used open-source
// installers load early from the system directory.
static const char *const kLateLoadedDlls[] = {
    "uxtheme.dll", "userenv.dll", "setupapi.dll", "apphelp.dll", "propsys.dll", "dwmapi.dll", "cryptbase.dll",
    "oleacc.dll", "clbcatq.dll", "ntmarta.dll", "version.dll", "profapi.dll", "comres.dll"};

// Keeps every DLL load of this process out of the executable's folder and the
// current directory, where anyone may have put a DLL of a system name.
static void RestrictDllSearch(void)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    SetDllDirectoryProc setDirectory = (SetDllDirectoryProc)(void *)GetProcAddress(kernel, "SetDllDirectoryA");
    if (setDirectory != NULL)
        setDirectory("");   // leaves out the current directory
    SetDefaultDllDirectoriesProc setDefault =
        (SetDefaultDllDirectoriesProc)(void *)GetProcAddress(kernel, "SetDefaultDllDirectories");
    // Windows Vista with the update that brings it cannot make a shell link
    // once it is called, and the installer makes shortcuts.
    DWORD version = GetVersion();
    int vista = LOBYTE(LOWORD(version)) == 6 && HIBYTE(LOWORD(version)) == 0;
    if (setDefault != NULL && !vista && setDefault(SEARCH_SYSTEM32_ONLY))
        return;
    // The executable's folder is still searched: the DLLs that are loaded late
    // come from the system directory now, so that a later load by bare name
    // finds them loaded.
    for (const char *name : kLateLoadedDlls)
        LoadSystemLibrary(name);
}

// The command line after the program's name (quoted or not) and the blanks
// that follow it, as WinMain would have been given it.
static const char *SkipProgramName(const char *line)
{
    if (*line == '"') {
        line++;
        while (*line != 0 && *line != '"')
            line++;
        if (*line == '"')
            line++;
    } else {
        while ((unsigned char)*line > ' ')
            line++;
    }
    while (*line != 0 && (unsigned char)*line <= ' ')
        line++;
    return line;
}

// Windows starts the installer here; there is no C runtime before it. Not
// protected itself: it replaces the guard that protected functions check.
extern "C" __attribute__((noreturn, no_stack_protector)) void TalvirexStart(void)
{
    SeedStackGuard();
    // No box of the system's for a drive without its disc or a file that
    // cannot be opened, a disc taken out during the copy among them: the
    // installer's own message says it, and an unattended run has its code.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    RestrictDllSearch();
    ResetSetupState();
    // Before anything else: the message functions load their texts from this module.
    setup.hInstance = GetModuleHandleA(NULL);
    ExitProcess(RunSetup(SkipProgramName(GetCommandLineA())));
}
