#include "options.h"

#include "../files/path_text.h"
#include "../files/setup_paths.h"
#include "install_log.h"

SetupOptionsRecord SetupOptions = {false, false, false, false, false, false, ""};

static bool ReadOption(const char* optionsFile, const char* key) {
  char value[OptionValueSize];
  ZeroMemory(value, sizeof value);
  GetPrivateProfileStringA(OptionsSection, key, "", value, sizeof value, optionsFile);
  return OptionValueIsSet(value);
}

// One byte more than the name may hold, so that a longer name shows itself:
// a cut name would be another file.
static void ReadLogFileName(const char* optionsFile, char* out) {
  char value[SetupPathSize + 1];
  const DWORD length = GetPrivateProfileStringA(OptionsSection, LogFileOptionKey, "", value,
                                                sizeof value, optionsFile);
  out[0] = '\0';
  if (length < SetupPathSize) AppendText(out, SetupPathSize, value, "");
}

void ReadSetupOptions() {
  char optionsFile[SetupPathSize];
  // ComputeSetupPaths has made sure that this path fits.
  if (!JoinRootAware(optionsFile, sizeof optionsFile, SetupPaths.SourceDir, OptionsFileName)) return;
  SetupOptions.HardwareDetectNT = ReadOption(optionsFile, YesNoOptionKey(HardwareDetectNTOption));
  SetupOptions.Debug = ReadOption(optionsFile, YesNoOptionKey(DebugOption));
  SetupOptions.WDMDriver = ReadOption(optionsFile, YesNoOptionKey(WDMDriverOption));
  SetupOptions.ReBoot = ReadOption(optionsFile, YesNoOptionKey(ReBootOption));
  SetupOptions.CleanUpRegistry = ReadOption(optionsFile, YesNoOptionKey(CleanUpRegistryOption));
  SetupOptions.CopyFilesOnly = ReadOption(optionsFile, YesNoOptionKey(CopyFilesOnlyOption));
  ReadLogFileName(optionsFile, SetupOptions.LogFile);
}

void DebugMessage(HWND owner, const char* text, const char* caption, UINT type) {
  LogDebugMessage(caption, text);
  if (SetupOptions.Debug) MessageBoxA(owner, text, caption, type);
}
