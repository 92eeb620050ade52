#include "options.h"

#include "../files/path_text.h"
#include "../files/setup_paths.h"

SetupOptionsRecord SetupOptions = {false, false, false, false, false, false};

bool OptionValueIsSet(const char* value) { return value[0] == 'Y' || value[0] == 'y'; }

static bool ReadOption(const char* optionsFile, const char* key) {
  char value[56];
  ZeroMemory(value, sizeof value);
  GetPrivateProfileStringA("INSTALL_OPTIONS", key, "", value, sizeof value, optionsFile);
  return OptionValueIsSet(value);
}

void ReadSetupOptions() {
  char optionsFile[SetupPathSize];
  // ComputeSetupPaths has made sure that this path fits.
  if (!JoinRootAware(optionsFile, sizeof optionsFile, SetupPaths.SourceDir, OptionsFileName)) return;
  SetupOptions.HardwareDetectNT = ReadOption(optionsFile, "HardwareDetectNT");
  SetupOptions.Debug = ReadOption(optionsFile, "Debug");
  SetupOptions.WDMDriver = ReadOption(optionsFile, "WDMDriver");
  SetupOptions.ReBoot = ReadOption(optionsFile, "ReBoot");
  SetupOptions.CleanUpRegistry = ReadOption(optionsFile, "CleanUpRegistry");
  SetupOptions.CopyFilesOnly = ReadOption(optionsFile, "CopyFilesOnly");
}

void DebugMessage(HWND owner, const char* text, const char* caption, UINT type) {
  if (SetupOptions.Debug) MessageBoxA(owner, text, caption, type);
}
