// Walks the installer's wizard with its default answers, as a user pressing
// Next on every page would, and saves a picture of the screen at each page:
//   autopilot.exe INSTALLER [SHOT_DIR]
// Used by the main-job script where there is no display to click on.
// Exit code 0 when the wizard reached its finish page.
#include <windows.h>

#include <stdio.h>

#include <string>

#include "picture.h"
#include "robot.h"

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
    for (int id = 0; id != 10021;) {
        HWND page = NULL;
        ::testing::AssertionResult shown = robot::WaitUntil(
            [&] {
                for (HWND w : robot::TopWindows(installer.Id(), "TALVIREX")) {
                    int p = robot::PageOf(w);
                    if (w != previous && p != 0 && p != 10020 && IsWindowEnabled(w)) {
                        page = w;
                        id = p;
                        return true;
                    }
                }
                return !robot::TopWindows(installer.Id(), "#32770").empty() || !installer.Running();
            },
            "the next page", 60000);
        std::vector<HWND> boxes = robot::TopWindows(installer.Id(), "#32770");
        if (!page && !boxes.empty()) {
            robot::MessageBoxInfo box;
            robot::WaitForMessageBox(installer.Id(), &box);
            fprintf(stderr, "the installer says: %s\n", box.text.c_str());
            if (!shots.empty())
                SavePicture(NULL, shots + "\\message.bmp");
            robot::AnswerMessageBox(box, box.buttons.empty() ? IDOK : box.buttons.front());
            previous = NULL;
            continue;
        }
        if (!shown || !page) {
            fprintf(stderr, "the wizard stopped before its finish page\n");
            return 1;
        }
        if (!shots.empty() && installer.WaitForIdle())
            SavePicture(NULL, shots + "\\page" + std::to_string(id) + ".bmp");
        printf("page %d\n", id);
        fflush(stdout);
        robot::PressButton(page, 1);
        previous = page;
    }
    DWORD code = 1;
    installer.WaitForExit(&code, 60000);
    return 0;
}
