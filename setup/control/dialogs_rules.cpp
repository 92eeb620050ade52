#include "dialogs_rules.h"

#include <string.h>

#include "../base/platform.h"

namespace {

const char kTitleEllipsis[] = "  . . .";

// The restart flags of the system's restart request.
const unsigned kRestartFlag = 0x2;  // EWX_REBOOT
const unsigned kForceFlag = 0x4;    // EWX_FORCE

}  // namespace

void AppendTitleEllipsis(char* title, size_t size) {
  const size_t used = strlen(title);
  if (used + 1 < size) strncat(title, kTitleEllipsis, size - used - 1);
}

RestartRequest RestartRequestFor(OsClass osClass) {
  if (IsWindows9xClass(osClass)) return {false, kRestartFlag};
  return {true, kRestartFlag | kForceFlag};
}
