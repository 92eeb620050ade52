#include "entry_call.h"

#include <windows.h>

#include "call_log.h"
#include "standin_text.h"

EntryConfig BeginEntry(const char* entry) {
  const EntryConfig config = ReadEntryConfig(entry);
  Sleep(config.Delay);
  return config;
}

int ReportOnlyEntry(const char* entry) {
  const EntryConfig config = BeginEntry(entry);
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, entry);
  EndCallLine(line, sizeof line, config.Result);
  AppendCallLog(line);
  return config.Result;
}
