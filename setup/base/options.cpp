#include "options.h"

#include <string.h>

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '-' || c == '\n'; }

}  // namespace

void ParseCommandLine(char* commandLine, CommandSwitches* switches) {
  if (!commandLine) return;
  for (char* p = commandLine; *p; ++p) *p = AsciiUpper(*p);

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

// Room for the keys of INSTALL_OPTIONS; a key past it reads as missing in
// the log only.
const size_t kOptionKeyListSize = 2048;

bool SameKey(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (AsciiUpper(*a) != AsciiUpper(*b)) return false;
    if (!*a) return true;
  }
}

// Whether the key list (each name terminated, up to length bytes) holds key.
bool ListHoldsKey(const char* names, unsigned long length, const char* key) {
  for (const char* name = names; name < names + length && *name; name += strlen(name) + 1)
    if (SameKey(name, key)) return true;
  return false;
}

bool ReadOption(System& system, const char* optionsFile, YesNoOption option, OptionRead* read) {
  system.ProfileString(kOptionsSection, YesNoOptionKey(option), read->Value, sizeof read->Value,
                       optionsFile);
  read->Value[sizeof read->Value - 1] = '\0';
  return OptionValueIsSet(read->Value);
}

// One byte more than the name may hold, so that a longer name shows itself:
// a cut name would be another file.
bool ReadLogFileName(System& system, const char* optionsFile, char* out) {
  char value[kSetupPathSize + 1] = {};
  const unsigned long length =
      system.ProfileString(kOptionsSection, kLogFileOptionKey, value, sizeof value, optionsFile);
  out[0] = '\0';
  if (length >= kSetupPathSize) return false;
  CopyWholeText(out, kSetupPathSize, value);
  return true;
}

}  // namespace

void ReadSetupOptions(System& system, const char* sourceDir, SetupOptions* options) {
  char optionsFile[kSetupPathSize];
  // ComputeSetupPaths has made sure that this path fits.
  if (!JoinRootAware(optionsFile, sizeof optionsFile, sourceDir, kOptionsFileName)) return;
  OptionRead* read = options->Read;
  bool set[kYesNoOptionCount];
  for (int i = 0; i < kYesNoOptionCount; ++i)
    set[i] = ReadOption(system, optionsFile, static_cast<YesNoOption>(i), &read[i]);
  options->HardwareDetectNT = set[kHardwareDetectNTOption];
  options->Debug = set[kDebugOption];
  options->WDMDriver = set[kWDMDriverOption];
  options->ReBoot = set[kReBootOption];
  options->CleanUpRegistry = set[kCleanUpRegistryOption];
  options->CopyFilesOnly = set[kCopyFilesOnlyOption];
  char keys[kOptionKeyListSize] = {};
  const unsigned long length =
      system.ProfileString(kOptionsSection, nullptr, keys, sizeof keys, optionsFile);
  for (int i = 0; i < kYesNoOptionCount; ++i)
    read[i].Present = ListHoldsKey(keys, length, YesNoOptionKey(static_cast<YesNoOption>(i)));
  options->LogFileTooLong = !ReadLogFileName(system, optionsFile, options->LogFile);
}
