#include "programs.h"

#include <windows.h>

#include "../base/log.h"
#include "../base/paths_rules.h"
#include "programs_rules.h"

bool RunAndWait(const char* path, char* commandLine) {
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    LogProgramRun(path, commandLine, nullptr);
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  LogProgramRun(path, commandLine, process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void FindProgram(const char* path, char* found, size_t foundSize) {
  if (!HasExtension(path)) {
    for (int i = 0; i < kProgramExtensionCount; ++i) {
      if (!AppendText(found, foundSize, path, kProgramExtensions[i])) continue;
      const DWORD attributes = GetFileAttributesA(found);
      if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    }
  }
  CopyWholeText(found, foundSize, path);
}
