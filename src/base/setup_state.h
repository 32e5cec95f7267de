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

// File kinds: where a listed file goes.
enum {
    FILE_KIND_MAXIMAL_ONLY = 0,   // copied by a maximal installation, else used from the medium
    FILE_KIND_INSTALL_DIR = 1,    // always copied to the installation directory
    FILE_KIND_SYSTEM = 2,         // system directory, by product version
    FILE_KIND_WINDOWS = 3,        // Windows directory, by product version
    FILE_KIND_SYSTEM_TOO = 4,     // as kind 2 in every respect
    FILE_KIND_TRANSIENT = 5       // kind 0 entries while a maximal run copies them
};

// Installation types; the index of requiredKb too.
enum {
    INSTALL_MINIMAL = 0,
    INSTALL_MAXIMAL = 1
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
    TEXT_BUFFER_SIZE = 272,
    PATH_TEXT_SIZE = 264,     // a path of MAX_PATH_CHARS with room to append a few characters
    GROUP_NAME_SIZE = 61      // a group name of 60 characters
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
    DWORD removeMode;           // -U: remove the publication whose entry names the executable

    // Description
    char title[100];
    char publicationIni[80];
    char publicationIniPath[PATH_TEXT_SIZE];   // its full path, as the install writes it (start-up or the entry)
    char pathSuffix[81];        // "\" followed by the PATH value (read limit 80)
    char groupName[GROUP_NAME_SIZE];
    FileEntry files[MAX_FILE_ENTRIES];
    WORD fileCount;
    char stringPool[STRING_POOL_SIZE + 1];   // a spare byte for the reads (ReadPoolLine)
    WORD poolUsed;
    DWORD requiredKb[2];        // by installation type
    char welcomeText[196];
    char targetPrompt[159];
    char windowTitle[125];
    char diagnostic[MAX_PATH_CHARS + 1];

    // User choices
    WORD installType;           // INSTALL_MINIMAL or INSTALL_MAXIMAL
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

    // Unattended run (-Q): the options' values, the first message and the log
    BYTE quiet;
    BYTE quietMinimal;          // -M
    BYTE quietNoGroup;          // -N
    BYTE quietNoDesktopIcon;    // -K
    BYTE quietTargetGiven;      // -T, its value in quietTarget (may be empty)
    BYTE quietGroupGiven;       // -G, its value in quietGroup
    ErrorCode optionError;      // first option value that could not be read
    ErrorCode exitCode;         // first message of a quiet run, 0 while there is none
    char quietTarget[PATH_TEXT_SIZE];
    char quietGroup[GROUP_NAME_SIZE];
    char logPath[PATH_TEXT_SIZE];
    HANDLE logFile;             // -L, open during the run; null otherwise
    HWND runMarker;             // hidden window that other copies find, in place of the pages

    // Shared work buffers
    char pathBuffer[PATH_BUFFER_SIZE];
    char textBuffer[TEXT_BUFFER_SIZE];
    char installDir[PATH_BUFFER_SIZE];
};

extern SetupState setup;

// Gives every field its program-start value: zero but for the few set here.
// The entry point calls it first; tests call it to start each case afresh.
void ResetSetupState();

// Cuts sourceDir back to the directory alone, where a file's name was appended.
void TrimSourceDir();

#endif
