// The installer's dialog class and its own control classes.
#ifndef TALVIREX_CONTROLS_H
#define TALVIREX_CONTROLS_H

#include <windows.h>

#include "base/setup_state.h"

// ProgBut: wParam = the percentage to show, 0..100; the result is the percentage in force.
enum { PROGBUT_SETPERCENT = WM_USER + 100 };

enum { WEB_ADDRESS_SIZE = 112, CONTROL_TEXT_SIZE = 100 };

// Program-wide state of the classes: at most one page, and so one control of
// each class, exists at a time.
struct PictureState {
    HBITMAP bitmap;   // null when the picture failed to load
    int width;
    int height;
};
struct ProgButState {
    short percent;
    HFONT font;       // the parent dialog's; never deleted here
};
struct WwwButHotState {
    HFONT font;
    char address[WEB_ADDRESS_SIZE];
};
extern PictureState bmpBut;
extern PictureState bmpButDemo;
extern ProgButState progBut;
extern HFONT wwwButFont;
extern WwwButHotState wwwButHot;

// Bitmap resource ID chosen by a picture pane's text: a leading digit 1..9,
// otherwise 1.
int PictureIdFor(const char *text);

// Builds "http://" + the text after its layout character into address. 0 (and
// nothing to open) when the text has 2 characters or fewer or the address
// would not fit whole.
int BuildWebAddress(const char *text, char *address, size_t size);

// One registration per class; each returns the class atom, 0 on failure.
ATOM RegisterDialogClass();
ATOM RegisterBmpButClass();
ATOM RegisterLineButClass();
ATOM RegisterProgButClass();
ATOM RegisterWwwButClass();
ATOM RegisterWwwButHotClass();

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
