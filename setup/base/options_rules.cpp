#include "options_rules.h"

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
