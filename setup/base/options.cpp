#include "options.h"

#include <windows.h>

namespace {

bool ReadOption(const char* optionsFile, YesNoOption option) {
  char value[kOptionValueSize];
  ZeroMemory(value, sizeof value);
  GetPrivateProfileStringA(kOptionsSection, YesNoOptionKey(option), "", value, sizeof value,
                           optionsFile);
  return OptionValueIsSet(value);
}

// One byte more than the name may hold, so that a longer name shows itself:
// a cut name would be another file.
void ReadLogFileName(const char* optionsFile, char* out) {
  char value[kSetupPathSize + 1];
  const DWORD length = GetPrivateProfileStringA(kOptionsSection, kLogFileOptionKey, "", value,
                                                sizeof value, optionsFile);
  out[0] = '\0';
  if (length < kSetupPathSize) CopyWholeText(out, kSetupPathSize, value);
}

}  // namespace

void ReadSetupOptions(const char* sourceDir, SetupOptions* options) {
  char optionsFile[kSetupPathSize];
  // ComputeSetupPaths has made sure that this path fits.
  if (!JoinRootAware(optionsFile, sizeof optionsFile, sourceDir, kOptionsFileName)) return;
  options->HardwareDetectNT = ReadOption(optionsFile, kHardwareDetectNTOption);
  options->Debug = ReadOption(optionsFile, kDebugOption);
  options->WDMDriver = ReadOption(optionsFile, kWDMDriverOption);
  options->ReBoot = ReadOption(optionsFile, kReBootOption);
  options->CleanUpRegistry = ReadOption(optionsFile, kCleanUpRegistryOption);
  options->CopyFilesOnly = ReadOption(optionsFile, kCopyFilesOnlyOption);
  ReadLogFileName(optionsFile, options->LogFile);
}
