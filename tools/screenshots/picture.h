// Pictures of the screen as BMP files, for the README's pictures and the autopilot's.
#ifndef TALVIREX_PICTURE_H
#define TALVIREX_PICTURE_H

#include <windows.h>

#include <string>

// Repaints window (when given) and saves the screen under it, or the whole screen, as a 24-bit BMP file.
bool SavePicture(HWND window, const std::string &path);

#endif
