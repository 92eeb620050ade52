#include "options.h"

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '-' || c == '\n'; }

}  // namespace

void ParseCommandLine(char* commandLine, CommandSwitches* switches) {
  if (!commandLine) return;
  for (char* p = commandLine; *p; ++p)
    if (*p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - 'a' + 'A');

  const char* p = commandLine;
  while (*p) {
    while (*p && IsSeparator(*p)) ++p;
    const char* token = p;
    while (*p && !IsSeparator(*p)) ++p;
    if (p - token != 1) continue;
    switch (*token) {
      case 'S':
        switches->SilentMode = true;
        break;
      case 'D':
        switches->RemoveMode = true;
        break;
      case 'R':
        switches->RefreshMode = true;
        break;
      default:
        break;
    }
  }
}

const char* YesNoOptionKey(YesNoOption option) {
  static const char* const keys[kYesNoOptionCount] = {"HardwareDetectNT", "Debug",
                                                      "WDMDriver",        "ReBoot",
                                                      "CleanUpRegistry",  "CopyFilesOnly"};
  return option < kYesNoOptionCount ? keys[option] : nullptr;
}

bool OptionValueIsSet(const char* value) { return value[0] == 'Y' || value[0] == 'y'; }

namespace {

bool ReadOption(System& system, const char* optionsFile, YesNoOption option) {
  char value[kOptionValueSize] = {};
  system.ProfileString(kOptionsSection, YesNoOptionKey(option), value, sizeof value, optionsFile);
  return OptionValueIsSet(value);
}

// One byte more than the name may hold, so that a longer name shows itself:
// a cut name would be another file.
void ReadLogFileName(System& system, const char* optionsFile, char* out) {
  char value[kSetupPathSize + 1] = {};
  const unsigned long length =
      system.ProfileString(kOptionsSection, kLogFileOptionKey, value, sizeof value, optionsFile);
  out[0] = '\0';
  if (length < kSetupPathSize) CopyWholeText(out, kSetupPathSize, value);
}

}  // namespace

void ReadSetupOptions(System& system, const char* sourceDir, SetupOptions* options) {
  char optionsFile[kSetupPathSize];
  // ComputeSetupPaths has made sure that this path fits.
  if (!JoinRootAware(optionsFile, sizeof optionsFile, sourceDir, kOptionsFileName)) return;
  options->HardwareDetectNT = ReadOption(system, optionsFile, kHardwareDetectNTOption);
  options->Debug = ReadOption(system, optionsFile, kDebugOption);
  options->WDMDriver = ReadOption(system, optionsFile, kWDMDriverOption);
  options->ReBoot = ReadOption(system, optionsFile, kReBootOption);
  options->CleanUpRegistry = ReadOption(system, optionsFile, kCleanUpRegistryOption);
  options->CopyFilesOnly = ReadOption(system, optionsFile, kCopyFilesOnlyOption);
  ReadLogFileName(system, optionsFile, options->LogFile);
}
