// Reading the options of INSTALL_OPTIONS from qvsetup.ini.
#ifndef SETUP_BASE_OPTIONS_H
#define SETUP_BASE_OPTIONS_H

#include "options_rules.h"

// Reads the six options and LogFile from the options file in sourceDir. A
// LogFile name too long for its buffer leaves it empty rather than cut.
void ReadSetupOptions(const char* sourceDir, SetupOptions* options);

#endif
