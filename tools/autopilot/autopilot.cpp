// Walks the installer's wizard with its default answers, as a user pressing
// Next on every page would, and saves a picture of the screen at each page:
//   autopilot.exe INSTALLER [SHOT_DIR]
// Used by the main-job script where there is no display to click on.
// Exit code 0 when the wizard reached its finish page.
#include <windows.h>

#include <stdio.h>

#include <string>

#include "robot.h"

namespace {

int PageOf(HWND window)
{
    auto has = [window](int id) { return GetDlgItem(window, id) != NULL; };
    if (has(70)) return 10020;
    if (has(60)) return 10001;
    if (has(1200)) return 10002;
    if (has(1300)) return 10003;
    if (has(1003)) return 10004;
    if (has(1006)) return 10000;
    if (has(1002)) return 10021;
    return 0;
}

// Saves the whole screen as a 24-bit BMP file.
void SaveScreen(const std::string &path)
{
    HDC screen = GetDC(NULL);
    int width = GetDeviceCaps(screen, HORZRES);
    int height = GetDeviceCaps(screen, VERTRES);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    DWORD stride = ((DWORD)width * 3 + 3) & ~3u;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * height;
    FILE *out = fopen(path.c_str(), "wb");
    if (out) {
        fwrite(&file, sizeof file, 1, out);
        fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        fwrite(bits, stride * height, 1, out);
        fclose(out);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(NULL, screen);
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: autopilot INSTALLER [SHOT_DIR]\n");
        return 2;
    }
    std::string shots = argc > 2 ? argv[2] : "";
    robot::Process installer;
    if (!installer.Start(argv[1], "")) {
        fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    HWND previous = NULL;
    for (;;) {
        HWND page = NULL;
        int id = 0;
        ::testing::AssertionResult shown = robot::WaitUntil(
            [&] {
                for (HWND w : robot::TopWindows(installer.Id(), "TALVIREX")) {
                    int p = PageOf(w);
                    if (w != previous && p != 0 && p != 10020 && IsWindowEnabled(w)) {
                        page = w;
                        id = p;
                        return true;
                    }
                }
                return !robot::TopWindows(installer.Id(), "#32770").empty() || !installer.Running();
            },
            "the next page", 60000);
        if (!shown || !page) {
            std::vector<HWND> boxes = robot::TopWindows(installer.Id(), "#32770");
            if (!boxes.empty()) {
                robot::MessageBoxInfo box = robot::ReadMessageBox(boxes.front());
                fprintf(stderr, "the installer says: %s\n", box.text.c_str());
                if (!shots.empty())
                    SaveScreen(shots + "\\message.bmp");
                robot::AnswerMessageBox(box, box.buttons.empty() ? IDOK : box.buttons.front());
                previous = NULL;
                continue;
            }
            fprintf(stderr, "the wizard stopped before its finish page\n");
            return 1;
        }
        Sleep(300);  // let the page paint before it is pictured
        if (!shots.empty())
            SaveScreen(shots + "\\page" + std::to_string(id) + ".bmp");
        printf("page %d\n", id);
        fflush(stdout);
        robot::PressButton(page, 1);
        previous = page;
        if (id == 10021)
            break;
    }
    DWORD code = 1;
    installer.WaitForExit(&code, 60000);
    return 0;
}
