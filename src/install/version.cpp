#include "install/version.h"

BYTE versionBlock[VERSION_BLOCK_SIZE];

WORD ReadFileVersion(const char *path, VersionStamp *stamp)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0 || size > sizeof versionBlock)
        return 1;
    if (!GetFileVersionInfoA(path, handle, size, versionBlock))
        return 2;
    VS_FIXEDFILEINFO *fixed = NULL;
    UINT length = 0;
    // A fixed part shorter than the structure is as good as none: its fields
    // would be read from whatever follows it.
    if (!VerQueryValueA(versionBlock, "\\", (void **)&fixed, &length) || fixed == NULL
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
