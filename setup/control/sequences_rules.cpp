#include "sequences_rules.h"

#include "../base/platform_rules.h"

bool IsRemoveOnly(const CommandSwitches& switches) {
  return switches.RemoveMode && !switches.RefreshMode;
}

bool UsesWdmDriverSet(OsClass osClass, bool wdmDriverOption) {
  return osClass == kOsClassWinME || (osClass == kOsClassWin98SE && wdmDriverOption);
}
