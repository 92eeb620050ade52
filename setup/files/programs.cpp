#include "programs.h"

#include <windows.h>

#include "../base/log.h"

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
