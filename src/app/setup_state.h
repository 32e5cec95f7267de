// The one program-wide record of the installer's state.
#ifndef TALVIREX_SETUP_STATE_H
#define TALVIREX_SETUP_STATE_H

#include <windows.h>

// Exported window procedures, dialog procedures and enumeration callbacks.
#define TALVIREX_EXPORT extern "C" __declspec(dllexport)

typedef WORD PageId;
typedef WORD InstallResult;
typedef WORD ErrorCode;
typedef BYTE FileKind;

enum {
    PAGE_WELCOME = 10000,
    PAGE_TYPE = 10001,
    PAGE_TARGET = 10002,
    PAGE_GROUP = 10003,
    PAGE_CONFIRM = 10004,
    PAGE_PROGRESS = 10020,
    PAGE_FINISH = 10021
};

enum {
    RESULT_INSTALLED = 0,
    RESULT_FAILED = 1,
    RESULT_CANCELLED = 2
};

// Page end codes (dialog results).
enum {
    END_NEXT = 1,
    END_CANCEL = 2,
    END_BACK = 46
};

enum {
    PATH_BUFFER_SIZE = 521,   // program-wide path buffers
    MAX_PATH_CHARS = 260,     // longest path the installer handles
    MAX_FILE_ENTRIES = 60,    // room in the file list
    FILE_KEYS_PER_SECTION = 29,
    STRING_POOL_SIZE = 4096,
    TEXT_BUFFER_SIZE = 272
};

// One entry of the file list; the texts point into stringPool.
struct FileEntry {
    char *name;
    FileKind kind;
    char *iconFile;      // null for a two-field line
    char *shortcutName;  // null exactly when iconFile is null
};

struct SetupState {
    // Environment
    HINSTANCE hInstance;
    char windowsDir[PATH_BUFFER_SIZE];
    char systemDir[PATH_BUFFER_SIZE];
    char sourceDir[PATH_BUFFER_SIZE];
    DWORD sourceDirLen;
    DWORD skipIfInstalled;
    DWORD debugMessages;

    // Description
    char title[100];
    char publicationIni[80];
    char pathSuffix[81];        // "\" followed by the PATH value (read limit 80)
    char groupName[61];
    FileEntry files[MAX_FILE_ENTRIES];
    WORD fileCount;
    char stringPool[STRING_POOL_SIZE];
    WORD poolUsed;
    DWORD requiredKb[2];        // [0] minimal, [1] maximal
    char welcomeText[196];
    char targetPrompt[159];
    char windowTitle[125];
    char diagnostic[MAX_PATH_CHARS + 1];

    // User choices
    WORD installType;           // 0 minimal, 1 maximal
    BYTE createGroup;
    BYTE createDesktopIcon;
    char targetDir[PATH_BUFFER_SIZE];

    // Wizard
    PageId currentPage;
    InstallResult installResult;
    RECT dialogPos;
    BYTE firstPage;
    HFONT titleFont;
    HWND titleControl;
    HBRUSH whiteBrush;
    HWND progressDialog;

    // Shared work buffers
    char pathBuffer[PATH_BUFFER_SIZE];
    char textBuffer[TEXT_BUFFER_SIZE];
    char installDir[PATH_BUFFER_SIZE];
};

extern SetupState setup;

// Puts every field back to its program-start value. The installer never calls
// it (it runs once); tests use it to start each case from a fresh state.
void ResetSetupState();

#endif
