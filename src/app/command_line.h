// The installer's command-line options -C, -D, -S and -U.
#ifndef TALVIREX_COMMAND_LINE_H
#define TALVIREX_COMMAND_LINE_H

// Reads the options from the command line (without the program name; may be
// null) into setup: skipIfInstalled, debugMessages, removeMode, sourceDir and
// sourceDirLen.
void ParseCommandLine(const char *commandLine);

#endif
