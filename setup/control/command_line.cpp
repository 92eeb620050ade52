#include "command_line.h"

static bool IsSeparator(char c) { return c == ' ' || c == '-' || c == '\n'; }

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
      case 'S': switches->Silent = true; break;
      case 'D': switches->Remove = true; break;
      case 'R': switches->Refresh = true; break;
      default: break;
    }
  }
}
