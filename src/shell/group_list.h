// The names of the existing Start-menu program groups.
#ifndef TALVIREX_GROUP_LIST_H
#define TALVIREX_GROUP_LIST_H

#include <windows.h>

#include "base/setup_state.h"

enum { GROUP_LIST_SIZE = 1024 };

extern char groupList[GROUP_LIST_SIZE];

// Rebuilds the list: every subdirectory of the shared, then of the user's
// Programs folder, each followed by CR LF. Null when the list is empty.
char *ListProgramGroups();

// Appends the subdirectory names of folderPath (a buffer of PATH_TEXT_SIZE
// bytes, changed in place: the search pattern is appended) at output, which
// has room bytes left.
void ListSubdirectories(char *folderPath, char *output, int room);

#endif
