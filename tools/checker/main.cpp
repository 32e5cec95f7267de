// TALVICHK [--json] [medium directory]: reads a medium as the installer will
// and lists every problem at once. Exit code 0 clean, 1 warnings, 2 errors.
#include <windows.h>

#include <string.h>

#include "base/messages.h"
#include "base/setup_state.h"
#include "base/text.h"
#include "checker_ids.h"
#include "checks.h"
#include "findings.h"

static const char kJsonOption[] = "--json";

int main(int argc, char **argv)
{
    ResetSetupState();
    setup.hInstance = GetModuleHandleA(NULL);
    int json = 0;
    const char *directory = NULL;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], kJsonOption) == 0) {
            json = 1;
        } else if (argv[i][0] == '-' || directory != NULL) {
            DWORD written;
            const char *usage = LoadText(IDS_CHK_USAGE);
            WriteFile(GetStdHandle(STD_ERROR_HANDLE), usage, (DWORD)TextLength(usage), &written, NULL);
            return 2;
        } else {
            directory = argv[i];
        }
    }
    DWORD length = GetFullPathNameA(directory != NULL ? directory : ".", sizeof setup.sourceDir, setup.sourceDir, NULL);
    if (length == 0 || length >= sizeof setup.sourceDir
        || !EnsureTrailingBackslash(setup.sourceDir, sizeof setup.sourceDir))
        setup.sourceDir[0] = 0;
    setup.sourceDirLen = (DWORD)TextLength(setup.sourceDir);

    CheckMedium();
    if (json)
        PrintJson();
    else
        PrintText();
    return ExitCode();
}
