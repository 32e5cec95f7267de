// The -U command: removing the publication installed in the executable's folder.
#ifndef TALVIREX_REMOVE_COMMAND_H
#define TALVIREX_REMOVE_COMMAND_H

#include "base/setup_state.h"

// Asks, removes and tells the outcome; every message goes through
// ShowMessageId or ShowMessageIdWith. 0 when the publication was removed,
// else the ID of the message shown (IDS_REMOVE_DECLINED, shown by none, when
// the user answered No).
ErrorCode RemovePublication();

#endif
