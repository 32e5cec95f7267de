#include "ui/progress.h"

#include "base/quiet_log.h"
#include "resource.h"
#include "ui/controls.h"

// A fixed amount of processor work, so that each file line stays readable
// for a moment; no messages are processed meanwhile.
static void PauseForReading()
{
    for (int pass = 0; pass < 10000; pass++) {
        // volatile: every multiplication and division really happens.
        volatile int counter = 0;
        while (counter < 150) {
            counter = counter * 10;
            counter = counter / 10;
            counter = counter + 1;
        }
    }
}

// Input, commands, timers, a close and a quit: the posted messages that
// would make the pages act, which nothing may do while files are copied.
static int IsKeptOut(UINT message)
{
    return message == WM_QUIT || message == WM_CLOSE ||
           (message >= WM_NCMOUSEMOVE && message < WM_PARENTNOTIFY);
}

// Often enough to seem at once; not after every block, where asking for
// messages would cost more than copying does.
enum { ANSWER_INTERVAL_MS = 50 };
static DWORD lastAnswered;

void AnswerPendingMessages()
{
    DWORD now = GetTickCount();
    if (now - lastAnswered < ANSWER_INTERVAL_MS)
        return;
    lastAnswered = now;
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        if (!IsKeptOut(message.message))
            DispatchMessageA(&message);
    }
}

LRESULT ShowProgress(WORD percent, const char *text)
{
    LogLine(text);
    // A quiet run has no progress page and nothing to pause for.
    if (setup.progressDialog == NULL)
        return 0;
    LRESULT result = SendDlgItemMessageA(setup.progressDialog, IDC_PROGRESS_BAR, PROGBUT_SETPERCENT,
                                         percent, 0);
    if (text == NULL)
        return result;
    SetDlgItemTextA(setup.progressDialog, IDC_PROGRESS_LINE, text);
    PauseForReading();
    return result;
}
