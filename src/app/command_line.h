// The installer's command-line options -C, -D and -S.
#ifndef TALVIREX_COMMAND_LINE_H
#define TALVIREX_COMMAND_LINE_H

// Reads the options from the command line (without the program name; may be
// null) into setup: skipIfInstalled, debugMessages, sourceDir and sourceDirLen.
void ParseCommandLine(const char *commandLine);

#endif
