// The unattended installation (-Q): the pages' checks without the pages.
#ifndef TALVIREX_QUIET_H
#define TALVIREX_QUIET_H

// After the start-up checks: makes the choices a user who presses Next on
// every page would make, changed by the options, checks them as the pages
// do and runs the installation. The first message ends it and is noted in
// setup.exitCode; no window is shown.
void InstallQuietly();

#endif
