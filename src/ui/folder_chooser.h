// Choosing a directory through the open-file dialog with its own template.
#ifndef TALVIREX_FOLDER_CHOOSER_H
#define TALVIREX_FOLDER_CHOOSER_H

#include <windows.h>

enum { CHOOSER_BUFFER_SIZE = 260 };

// Asks the user for the directory that holds the file descriptionName; buffer
// (CHOOSER_BUFFER_SIZE bytes) then holds a path inside it. Nonzero on OK.
int LocateMedium(char *buffer, const char *descriptionName);

// Lets the user pick a directory, starting in initialDir; buffer then holds it.
int BrowseForDirectory(HWND owner, char *buffer, const char *initialDir);

// Cuts the dialog's answer back: two characters from a path of 5 or more, else one.
void TrimChooserPath(char *path);

#endif
