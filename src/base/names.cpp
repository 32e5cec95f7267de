#include "base/names.h"

#include "base/text.h"

int IsPathSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The part of a name before its first dot, or the end of the path's part it
// starts, without the spaces Windows drops.
static int DeviceStemLength(const char *name)
{
    int length = 0;
    while (name[length] != 0 && name[length] != '.' && !IsPathSeparator(name[length]))
        length++;
    while (length > 0 && name[length - 1] == ' ')
        length--;
    return length;
}

static int StemEquals(const char *name, int length, const char *device)
{
    for (int i = 0; i < length; i++) {
        if (device[i] == 0 || AsciiUpper(name[i]) != device[i])
            return 0;
    }
    return device[length] == 0;
}

int IsDeviceName(const char *name)
{
    static const char *const plainDevices[] = { "CON", "PRN", "AUX", "NUL" };
    static const char *const numberedDevices[] = { "COM", "LPT" };
    const int numberedLength = 3;
    int length = DeviceStemLength(name);
    for (const char *device : plainDevices) {
        if (StemEquals(name, length, device))
            return 1;
    }
    if (length != numberedLength + 1)
        return 0;
    char digit = name[numberedLength];
    if (digit < '1' || digit > '9')
        return 0;
    for (const char *device : numberedDevices) {
        if (StemEquals(name, numberedLength, device))
            return 1;
    }
    return 0;
}

int IsPlainFileName(const char *name)
{
    int onlyDotsAndSpaces = 1;
    for (const char *p = name; *p != 0; p++) {
        if (IsPathSeparator(*p) || *p == ':')
            return 0;
        if (*p != '.' && *p != ' ')
            onlyDotsAndSpaces = 0;
    }
    return name[0] != 0 && !onlyDotsAndSpaces;
}

int HasDotDotComponent(const char *path)
{
    const char *component = path;
    for (const char *p = path;; p++) {
        if (*p == 0 || IsPathSeparator(*p)) {
            if (p - component == 2 && component[0] == '.' && component[1] == '.')
                return 1;
            if (*p == 0)
                return 0;
            component = p + 1;
        }
    }
}

int IsValidGroupName(const char *group)
{
    static const char forbidden[] = "/:*?\"\\<>|";
    return !ContainsAnyOf(group, forbidden) && IsUsableFolderName(group);
}

const char *NameInPath(const char *path)
{
    const char *name = path;
    for (const char *p = path; *p != 0; p++) {
        if (IsPathSeparator(*p) || *p == ':')
            name = p + 1;
    }
    return name;
}

int IsDotName(const char *name)
{
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// The length of the part of a path that starts at part: up to the next '\\' or '/', or the end.
static size_t PartLength(const char *part)
{
    size_t length = 0;
    while (part[length] != 0 && !IsPathSeparator(part[length]))
        length++;
    return length;
}

int IsUsableFolderName(const char *name)
{
    size_t length = PartLength(name);
    if (length == 0)
        return 0;
    char last = name[length - 1];
    return last != '.' && last != ' ' && !IsDeviceName(name);
}

int FolderPartsAreUsable(const char *path)
{
    for (const char *part = path;; part++) {
        size_t length = PartLength(part);
        int dotPart = length != 0 && length <= 2 && part[0] == '.' && part[length - 1] == '.';
        if (length != 0 && !dotPart && !IsUsableFolderName(part))
            return 0;
        part += length;
        if (*part == 0)
            return 1;
    }
}

int IsNameBelowFolder(const char *name)
{
    if (ContainsAnyOf(name, "/:"))
        return 0;
    const char *file = NameInPath(name);
    // An empty part (a leading backslash, or two together) is refused with the rest.
    for (const char *part = name; part < file; part += PartLength(part) + 1) {
        if (!IsUsableFolderName(part))
            return 0;
    }
    return IsPlainFileName(file);
}
