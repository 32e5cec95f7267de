// The installer's command-line options.
#ifndef TALVIREX_COMMAND_LINE_H
#define TALVIREX_COMMAND_LINE_H

// Reads -C, -D, -S and -U from the command line (without the program name; may
// be null) into setup: skipIfInstalled, debugMessages, removeMode, sourceDir
// and sourceDirLen.
void ParseCommandLine(const char *commandLine);

// Reads the unattended run's options -Q, -M, -N, -K, -T, -G and -L into
// setup (quiet and the quiet... fields, logPath, optionError). They are read
// before the start-up checks, so that those are quiet too.
void ParseQuietOptions(const char *commandLine);

#endif
