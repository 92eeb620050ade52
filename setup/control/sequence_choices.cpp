#include "sequence_choices.h"

#include "platform_class.h"

bool IsRemoveOnly(const CommandSwitches& switches) { return switches.Remove && !switches.Refresh; }

bool UsesWdmDriverSet(unsigned char osClass, bool wdmDriverOption) {
  return osClass == OsClassWinME || (osClass == OsClassWin98SE && wdmDriverOption);
}
