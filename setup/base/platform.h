// The Windows this process runs on: its platform class, and whether setup
// has the rights to install a driver there.
#ifndef SETUP_BASE_PLATFORM_H
#define SETUP_BASE_PLATFORM_H

#include "platform_rules.h"

OsClass ClassifyRunningPlatform();

// Whether the process token's groups contain the built-in Administrators
// group (S-1-5-32-544), whatever that group's attributes; false also when
// the token or its groups can not be read.
bool IsAdministrator();

// For the whole process: a drive without a disk, a missing file or a damaged
// library fails the call instead of showing a system box that would block
// an unattended run.
void SuppressSystemErrorBoxes();

#endif
