#include "install/registration.h"

#include <string.h>

#include "base/messages.h"
#include "base/names.h"
#include "base/text.h"
#include "install/file_ops.h"
#include "install/run.h"
#include "resource.h"
#include "shell/directory.h"
#include "shell/registry.h"

const char kInstallerName[] = "TALVIREX.EXE";
const char kLocationValue[] = "InstallLocation";
const char kIniValue[] = "TalvirexIniFile";
const char kTypeValue[] = "TalvirexInstallType";
const char kGroupValue[] = "TalvirexGroup";
const char kDesktopValue[] = "TalvirexDesktopIcon";

static const char kKeyPrefix[] = "\\TALVIREX_";
static const char kProgramFolder[] = "\\TALVIREX";
static const DWORD kYes = 1;

char registrationKey[PATH_TEXT_SIZE];
static char programFolder[PATH_TEXT_SIZE];
static char installerCopy[PATH_TEXT_SIZE];
static char uninstallCommand[PATH_TEXT_SIZE + 8];
static char displayIcon[PATH_TEXT_SIZE];
static char copySource[PATH_BUFFER_SIZE];
static char groupValue[GROUP_NAME_SIZE];
static DWORD estimatedKb;
static DWORD typeNumber;
static DWORD desktopNumber;

// The entry's values: the texts and numbers above, filled in before it is written.
static const RegistryEntry kEntries[] = {
    {"DisplayName", REG_SZ, setup.title, NULL},
    {"UninstallString", REG_SZ, uninstallCommand, NULL},
    {kLocationValue, REG_SZ, setup.installDir, NULL},
    {kIniValue, REG_SZ, setup.publicationIniPath, NULL},
    {"DisplayIcon", REG_SZ, displayIcon, NULL},
    {"EstimatedSize", REG_DWORD, NULL, &estimatedKb},
    {"NoModify", REG_DWORD, NULL, &kYes},
    {"NoRepair", REG_DWORD, NULL, &kYes},
    {kTypeValue, REG_DWORD, NULL, &typeNumber},
    // Always written, so that an entry replaced by a run without a group loses the old one.
    {kGroupValue, REG_SZ, groupValue, NULL},
    {kDesktopValue, REG_DWORD, NULL, &desktopNumber},
};

int FormRegistrationKey(char *buffer, size_t size, const char *publicationIni)
{
    const char *name = NameInPath(publicationIni);
    if (*name == 0)
        return 0;
    return JoinText(buffer, size, kUninstallKey, kKeyPrefix) && AppendText(buffer, size, name);
}

int FormProgramFolder(char *buffer, size_t size, const char *key)
{
    const char *keyName = strrchr(key, '\\');
    return keyName != NULL && size >= REGISTRY_TEXT_SIZE && GetProgramFilesDir(buffer) &&
           AppendText(buffer, size, kProgramFolder) && AppendText(buffer, size, keyName) &&
           EnsureTrailingBackslash(buffer, size);
}

// installDir followed by name; 0 when that is longer than a path.
static int FormInstalledPath(char *buffer, size_t size, const char *name)
{
    return BuildTargetPath(buffer, size, FILE_KIND_INSTALL_DIR, name);
}

// The program folder followed by name; 0 when that is longer than a path.
static int FormProgramPath(char *buffer, size_t size, const char *name)
{
    return JoinText(buffer, size < MAX_PATH_CHARS + 1 ? size : MAX_PATH_CHARS + 1, programFolder, name);
}

// Copies source into the program folder as name, unless it is that very file
// (the copy there started with -S installs over itself).
static int CopyBeside(const char *source, const char *name)
{
    if (!FormProgramPath(setup.pathBuffer, sizeof setup.pathBuffer, name))
        return 0;
    if (EqualIgnoringAsciiCase(source, setup.pathBuffer))
        return 1;
    return CopyFileWithProgress(source, setup.pathBuffer, 0, 0) == 0;
}

static int CopyInstallerFiles(const char *descriptionName)
{
    DWORD n = GetModuleFileNameA(NULL, copySource, sizeof copySource);
    if (n == 0 || n >= sizeof copySource || CreateDirectoryPath(programFolder) != 0 ||
        !CopyBeside(copySource, kInstallerName))
        return 0;
    TrimSourceDir();
    return JoinText(copySource, sizeof copySource, setup.sourceDir, descriptionName) &&
           CopyBeside(copySource, descriptionName);
}

static int WriteEntry()
{
    if (!FormProgramPath(installerCopy, sizeof installerCopy, kInstallerName) ||
        FormatText(uninstallCommand, sizeof uninstallCommand, "\"%s\" -U", installerCopy) < 0)
        return 0;
    const FileEntry &first = setup.files[0];
    // The icon file is in installDir only when the file list has it copied there.
    if (first.iconFile == NULL || first.iconFile[0] == '*' ||
        !FormInstalledPath(displayIcon, sizeof displayIcon, first.iconFile) ||
        GetFileAttributesA(displayIcon) == INVALID_FILE_ATTRIBUTES)
        CopyText(displayIcon, sizeof displayIcon, installerCopy);

    estimatedKb = setup.requiredKb[setup.installType];
    typeNumber = setup.installType;
    desktopNumber = setup.createDesktopIcon;
    CopyText(groupValue, sizeof groupValue, setup.createGroup ? setup.groupName : "");
    return WriteRegistryEntries(registrationKey, kEntries, sizeof kEntries / sizeof kEntries[0]);
}

ErrorCode RegisterInstallation(const char *descriptionName)
{
    if (FormRegistrationKey(registrationKey, sizeof registrationKey, setup.publicationIni) &&
        FormProgramFolder(programFolder, sizeof programFolder, registrationKey) &&
        CopyInstallerFiles(descriptionName) && WriteEntry())
        return 0;
    ShowNoticeIdWith(IDS_REGISTER_FAILED, NULL);
    return IDS_REGISTER_FAILED;
}
