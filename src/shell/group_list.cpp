#include "shell/group_list.h"

#include <string.h>

#include "base/text.h"
#include "shell/registry.h"

char groupList[GROUP_LIST_SIZE];

// A Programs folder from the registry, with room for the search pattern.
static char groupFolder[PATH_TEXT_SIZE];

void ListSubdirectories(char *folderPath, char *output, int room)
{
    // A pattern cut short would search some other folder.
    if (!EnsureTrailingBackslash(folderPath, PATH_TEXT_SIZE) ||
        !AppendText(folderPath, PATH_TEXT_SIZE, "*.*"))
        return;

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folderPath, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            continue;
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
            continue;
        // The name, CR, LF and a terminator; a name too long for the room left
        // is passed over, a shorter one found later may still fit.
        int length = (int)TextLength(found.cFileName);
        if (length + 3 > room)
            continue;
        memcpy(output, found.cFileName, length);
        output[length] = '\r';
        output[length + 1] = '\n';
        output[length + 2] = 0;
        output += length + 2;
        room -= length + 2;
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

char *ListProgramGroups()
{
    groupList[0] = 0;
    if (ReadRegistryString(ROOT_LOCAL_MACHINE, kShellFoldersKey, "Common Programs", groupFolder) > 0)
        ListSubdirectories(groupFolder, groupList, GROUP_LIST_SIZE);
    if (ReadRegistryString(ROOT_CURRENT_USER, kShellFoldersKey, "Programs", groupFolder) > 0) {
        int used = (int)TextLength(groupList);
        ListSubdirectories(groupFolder, groupList + used, GROUP_LIST_SIZE - used);
    }
    return groupList[0] != 0 ? groupList : NULL;
}
