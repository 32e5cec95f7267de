// The installer's dialog class and its own control classes.
#ifndef TALVIREX_CONTROLS_H
#define TALVIREX_CONTROLS_H

#include <windows.h>

#include "app/setup_state.h"

extern const char kDialogClass[];   // "TALVIREX"

// Registers TALVIREX, BmpButX, LineBut, ProgBut, WwwBut and WwwButHot in this
// order, stopping at the first failure. 1 when all are registered, else 0.
int RegisterWindowClasses();

TALVIREX_EXPORT LRESULT CALLBACK DlgIconWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
TALVIREX_EXPORT LRESULT CALLBACK BmpButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
TALVIREX_EXPORT LRESULT CALLBACK BmpButDemoWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
TALVIREX_EXPORT LRESULT CALLBACK LineButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
TALVIREX_EXPORT LRESULT CALLBACK ProgButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
TALVIREX_EXPORT LRESULT CALLBACK WwwButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
TALVIREX_EXPORT LRESULT CALLBACK WwwButHotWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
TALVIREX_EXPORT INT_PTR CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
