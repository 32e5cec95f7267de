#include "app/remove_command.h"

#include "base/messages.h"
#include "base/text.h"
#include "description/description.h"
#include "install/removal.h"
#include "install/self_removal.h"
#include "resource.h"
#include "shell/running.h"

static ErrorCode CheckRemoval()
{
    ErrorCode error = ReadCopiedDescription();
    if (error == 0)
        error = FindRegistration();
    if (error == 0)
        error = CheckViewersClosed();
    return error;
}

// What could not be removed, for the message.
static char removalFailure[PATH_BUFFER_SIZE];

ErrorCode RemovePublication()
{
    ErrorCode error = CheckRemoval();
    if (error != 0) {
        ShowMessageId(error);
        return error;
    }
    // A quiet removal asks nothing: -U -Q is the administrator's answer already.
    if (!setup.quiet && !ShowMessageIdWith(IDS_REMOVE_CONFIRM, setup.title))
        return IDS_REMOVE_DECLINED;
    error = RemoveInstallation(kDescriptionName, removalFailure, sizeof removalFailure);
    if (error != 0) {
        ShowMessageIdWith(error, removalFailure);
        return error;
    }
    // Without the helper the executable and its folder stay; the publication is gone all the same.
    StartRemovalHelper();
    ShowNoticeIdWith(IDS_REMOVED, setup.title);
    return 0;
}
