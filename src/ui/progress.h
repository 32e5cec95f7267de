// The progress page's report during the installation run.
#ifndef TALVIREX_PROGRESS_H
#define TALVIREX_PROGRESS_H

#include <windows.h>

// Moves the bar of the progress page to percent and, with a text, sets its
// file line and pauses. Returns the bar's percentage afterwards. The text
// goes to the log of a quiet run too; without the page nothing else happens.
LRESULT ShowProgress(WORD percent, const char *text);

// Lets the thread's windows answer what is pending for them (painting, the
// system's and other programs' queries, broadcasts) between the blocks of a
// long copy, at most every 50 ms. Keyboard and mouse input, commands, timers, closes and quits
// are dropped: the pages do nothing meanwhile and the run goes on.
void AnswerPendingMessages();

#endif
