// The log of an unattended run (-L) and the first message it met.
#ifndef TALVIREX_QUIET_LOG_H
#define TALVIREX_QUIET_LOG_H

#include <windows.h>

#include "base/setup_state.h"

enum { LOG_LINE_SIZE = 400 };

// Opens setup.logPath for appending when the command line names one (-L),
// for a quiet run and the wizard alike. A log that cannot be opened is left
// out: the run goes on without it.
void OpenQuietLog();
void CloseQuietLog();

// Appends text as one line (its line breaks folded to spaces), after the
// local date and time and the computer's name ("2026-12-07 09:15:02 NAME "),
// to the open log; does nothing without one or for an empty text.
void LogLine(const char *text);

// A message of a quiet run: the first one's ID becomes the exit code and
// each is logged. Returns 0, the answer "No" to a question.
WORD NoteQuietMessage(UINT id, const char *text);

#endif
