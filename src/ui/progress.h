// The progress page's report during the installation run.
#ifndef TALVIREX_PROGRESS_H
#define TALVIREX_PROGRESS_H

#include <windows.h>

// Moves the bar of the progress page to percent and, with a text, sets its
// file line and pauses. Returns the bar's percentage afterwards. The text
// goes to the log of a quiet run too; without the page nothing else happens.
LRESULT ShowProgress(WORD percent, const char *text);

#endif
