// The choices that the command line and the options make in the sequences.
#ifndef SETUP_CONTROL_SEQUENCES_RULES_H
#define SETUP_CONTROL_SEQUENCES_RULES_H

#include "../base/options_rules.h"
#include "../base/platform_rules.h"

// Windows 98 family: D without R removes the driver and installs nothing.
bool IsRemoveOnly(const CommandSwitches& switches);

// Windows 98 family: the WDM driver set on Windows ME, and on Windows 98
// Second Edition when the WDMDriver option is set; the VxD set otherwise
// (Windows 98 always gets the VxD set).
bool UsesWdmDriverSet(OsClass osClass, bool wdmDriverOption);

#endif
