#include "app/quiet.h"

#include "base/messages.h"
#include "base/quiet_log.h"
#include "base/text.h"
#include "description/description.h"
#include "install/registration.h"
#include "install/run.h"
#include "resource.h"
#include "shell/choices.h"
#include "shell/running.h"

// Ends the check it stands in when a message is due; 1 when there is none.
static int Accepted(ErrorCode error)
{
    if (error == 0)
        return 1;
    ShowMessageId(error);
    return 0;
}

// The text the target page would hold: -T, or the default from the description.
static int TargetAccepted()
{
    const char *typed = setup.quietTargetGiven ? setup.quietTarget : setup.targetDir;
    // The page's field takes no more than this.
    if (TextLength(typed) > DIRECTORY_EDIT_LIMIT)
        return Accepted(IDS_BAD_TARGET);
    CopyText(setup.textBuffer, sizeof setup.textBuffer, typed);
    int length = TrimText(setup.textBuffer, (int)TextLength(setup.textBuffer));
    return Accepted(AcceptTarget(setup.textBuffer, length, NULL));
}

static int GroupAccepted()
{
    const char *typed = setup.quietGroupGiven ? setup.quietGroup : setup.groupName;
    CopyText(setup.textBuffer, sizeof setup.textBuffer, typed);
    // The page cannot go on without a name; its message about the name stands in.
    if (TrimText(setup.textBuffer, (int)TextLength(setup.textBuffer)) == 0)
        return Accepted(IDS_GROUP_CHARS);
    return Accepted(AcceptGroupName(setup.textBuffer));
}

// A hidden window of the pages' class, so that another copy started
// meanwhile finds this one running, as it would find the pages.
static void MarkRunning()
{
    setup.runMarker = CreateWindowA(kDialogClass, "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, setup.hInstance,
                                    NULL);
}

static void UnmarkRunning()
{
    if (setup.runMarker != NULL)
        DestroyWindow(setup.runMarker);
    setup.runMarker = NULL;
}

void InstallQuietly()
{
    if (!Accepted(setup.optionError))
        return;
    if (setup.quietMinimal)
        setup.installType = INSTALL_MINIMAL;
    if (setup.quietNoGroup)
        setup.createGroup = 0;
    if (setup.quietNoDesktopIcon)
        setup.createDesktopIcon = 0;

    MarkRunning();
    if (Accepted(CheckViewersClosed()) && TargetAccepted() && (!setup.createGroup || GroupAccepted()) &&
        RunInstallation() == 0) {
        RegisterInstallation(kDescriptionName);
        ShowNoticeIdWith(IDS_SUCCESS, NULL);
    }
    UnmarkRunning();
}
