#include "programs.h"

#include "../base/log.h"
#include "../base/paths_rules.h"
#include "programs_rules.h"

bool RunAndWait(Host& host, const char* path, char* commandLine) {
  const ProgramResult result = host.system->RunProgram(path, commandLine);
  LogProgramRun(host, path, commandLine, result);
  if (result.Started != kStatusSuccess && result.Started != kStatusFileNotFound &&
      result.Started != kStatusPathNotFound)
    host.ChangeFailed = true;
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
