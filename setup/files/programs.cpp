#include "programs.h"

#include "../base/paths_rules.h"
#include "programs_rules.h"

bool RunAndWait(Host& host, const char* path, char* commandLine) {
  RunEvent event = EventOf(kEventProgramStarted);
  event.path = path;
  event.text = commandLine;
  TellListeners(host, event);
  const ProgramResult result = host.system->RunProgram(path, commandLine);
  event.kind = kEventProgramEnded;
  event.program = &result;
  const bool missing = result.Started == kStatusFileNotFound ||
                       result.Started == kStatusPathNotFound;
  event.failsRun = result.Started != kStatusSuccess && !missing;
  if (missing) event.passedOver = "the program is not there";
  TellListeners(host, event);
  if (event.failsRun) FailChange(host);
  return result.Started == kStatusSuccess;
}

void FindProgram(System& system, const char* path, char* found, size_t foundSize) {
  if (!HasExtension(path)) {
    for (int i = 0; i < kProgramExtensionCount; ++i) {
      if (!AppendText(found, foundSize, path, kProgramExtensions[i])) continue;
      const unsigned long attributes = system.FileAttributes(found);
      if (attributes != kNoSuchFile && !(attributes & kAttributeDirectory)) return;
    }
  }
  CopyWholeText(found, foundSize, path);
}
