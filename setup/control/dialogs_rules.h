// The texts of the dialogs, and how setup asks Windows for the restart.
#ifndef SETUP_CONTROL_DIALOGS_RULES_H
#define SETUP_CONTROL_DIALOGS_RULES_H

#include <stddef.h>
#include "../base/platform.h"

const size_t kTextBufferSize = 512;  // bytes of each text of the string table

// Appends "  . . ." to the progress dialog's title, cut to what the buffer of
// size bytes holds.
void AppendTitleEllipsis(char* title, size_t size);

struct RestartRequest {
  bool EnableShutdownPrivilege;  // NT needs the privilege to restart
  unsigned Flags;                // flags for the restart request
};

// Windows 95, 98 and ME restart with EWX_REBOOT; NT 4.0, Windows 2000 and
// any platform setup does not know (all of them NT) enable the shutdown
// privilege and force the restart (EWX_REBOOT | EWX_FORCE).
RestartRequest RestartRequestFor(OsClass osClass);

#endif
