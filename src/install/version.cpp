#include "install/version.h"

#include "shell/system_library.h"

BYTE versionBlock[VERSION_BLOCK_SIZE];

typedef DWORD(WINAPI *GetVersionSizeProc)(LPCSTR path, LPDWORD handle);
typedef BOOL(WINAPI *GetVersionInfoProc)(LPCSTR path, DWORD handle, DWORD size, LPVOID block);
typedef BOOL(WINAPI *QueryVersionProc)(LPCVOID block, LPCSTR name, LPVOID *value, PUINT length);

// version.dll is not one of the DLLs that Windows always takes from the system
// directory, so it is not imported: loaded by full path, once, when the first
// version is read.
static struct {
    int loaded;
    GetVersionSizeProc getSize;
    GetVersionInfoProc getInfo;
    QueryVersionProc query;
} versionApi;

static int HaveVersionApi(void)
{
    if (!versionApi.loaded) {
        versionApi.loaded = 1;
        HMODULE dll = LoadSystemLibrary("version.dll");
        if (dll != NULL) {
            versionApi.getSize = (GetVersionSizeProc)(void *)GetProcAddress(dll, "GetFileVersionInfoSizeA");
            versionApi.getInfo = (GetVersionInfoProc)(void *)GetProcAddress(dll, "GetFileVersionInfoA");
            versionApi.query = (QueryVersionProc)(void *)GetProcAddress(dll, "VerQueryValueA");
        }
    }
    return versionApi.getSize != NULL && versionApi.getInfo != NULL && versionApi.query != NULL;
}

WORD ReadFileVersion(const char *path, VersionStamp *stamp)
{
    // Without the version functions every file reads as one without a version.
    if (!HaveVersionApi())
        return 1;
    DWORD handle = 0;
    DWORD size = versionApi.getSize(path, &handle);
    if (size == 0 || size > sizeof versionBlock)
        return 1;
    if (!versionApi.getInfo(path, handle, size, versionBlock))
        return 2;
    VS_FIXEDFILEINFO *fixed = NULL;
    UINT length = 0;
    // A fixed part shorter than the structure is as good as none: its fields
    // would be read from whatever follows it.
    if (!versionApi.query(versionBlock, "\\", (void **)&fixed, &length) || fixed == NULL
        || length < sizeof(VS_FIXEDFILEINFO))
        return 3;
    // Only the low word (the Windows flavour) counts; the base system may be anything.
    if (LOWORD(fixed->dwFileOS) != VOS__WINDOWS32)
        return 3;
    stamp->fileVersionMs = fixed->dwFileVersionMS;
    stamp->fileVersionLs = fixed->dwFileVersionLS;
    stamp->productVersionMs = fixed->dwProductVersionMS;
    stamp->productVersionLs = fixed->dwProductVersionLS;
    return 0;
}

int CompareVersions(const VersionStamp *a, const VersionStamp *b)
{
    if (b->productVersionMs < a->productVersionMs)
        return 1;
    if (b->productVersionMs > a->productVersionMs)
        return -1;
    if (b->productVersionLs < a->productVersionLs)
        return 1;
    if (b->productVersionLs > a->productVersionLs)
        return -1;
    return 0;
}

int ShouldCopyByVersion(const char *source, const char *destination)
{
    VersionStamp offered, installed;
    if (ReadFileVersion(source, &offered) != 0)
        return 1;
    if (ReadFileVersion(destination, &installed) != 0)
        return 1;
    return CompareVersions(&offered, &installed) == 1 ? 1 : 0;
}
