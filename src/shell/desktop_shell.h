// Programs started as the user of the desktop rather than as this process.
#ifndef TALVIREX_DESKTOP_SHELL_H
#define TALVIREX_DESKTOP_SHELL_H

// Has the shell of the desktop open address (a web address, say) as a
// double click there would: with the rights of the user who logged on, not
// those of an elevated installer. 0 when there is no such shell to ask.
int OpenAsDesktopUser(const char *address);

#endif
