// The yes/no options of INSTALL_OPTIONS in qvsetup.ini, and the diagnostic
// message box that the Debug option turns on.
#pragma once
#include <windows.h>

#include "../files/path_text.h"
#include "option_values.h"

struct SetupOptionsRecord {
  bool HardwareDetectNT;
  bool Debug;
  bool WDMDriver;
  bool ReBoot;
  bool CleanUpRegistry;
  bool CopyFilesOnly;
  char LogFile[SetupPathSize];  // the installation log's file name; empty: no log
};

extern SetupOptionsRecord SetupOptions;  // all off and no log until ReadSetupOptions

// Reads the six options and LogFile from the options file in SourceDir. A
// LogFile name too long for its buffer leaves it empty rather than cut.
void ReadSetupOptions();

// A plain message box, shown only when the Debug option is on; the
// installation log records it either way.
void DebugMessage(HWND owner, const char* text, const char* caption, UINT type);
