// The yes/no options of INSTALL_OPTIONS in qvsetup.ini, and the diagnostic
// message box that the Debug option turns on.
#pragma once
#include <windows.h>

struct SetupOptionsRecord {
  bool HardwareDetectNT;
  bool Debug;
  bool WDMDriver;
  bool ReBoot;
  bool CleanUpRegistry;
  bool CopyFilesOnly;
};

extern SetupOptionsRecord SetupOptions;  // all off until ReadSetupOptions

// Name of the options file beside setup.exe.
const char* const OptionsFileName = "qvsetup.ini";

// Whether an option value as the profile reader returns it means yes:
// its first character is Y or y.
bool OptionValueIsSet(const char* value);

// Reads the six options from the options file in SourceDir.
void ReadSetupOptions();

// A plain message box, shown only when the Debug option is on.
void DebugMessage(HWND owner, const char* text, const char* caption, UINT type);
