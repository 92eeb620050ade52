#include "background.h"

#include <stdio.h>

#include "standin_config.h"

namespace {

const DWORD ServiceStartWait = 60000;

// "program path" [mode] delay life
int HelperCommand(char* out, size_t outSize, const char* program, const char* mode, DWORD delay,
                  DWORD life) {
  char path[MAX_PATH];
  if (!StandinFilePath(path, program)) return 0;
  const int length = snprintf(out, outSize, "\"%s\" %s%lu %lu", path, mode,
                              static_cast<unsigned long>(delay), static_cast<unsigned long>(life));
  return length > 0 && static_cast<size_t>(length) < outSize;
}

int StartHelper(char* command, DWORD flags, PROCESS_INFORMATION* process) {
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                      process))
    return 0;
  CloseHandle(process->hThread);
  return 1;
}

}  // namespace

int StartRecordWriter(DWORD delay) {
  char command[MAX_PATH + 40];
  PROCESS_INFORMATION process;
  if (!HelperCommand(command, sizeof command, RecordWriterName, "", delay, 0) ||
      !StartHelper(command, DETACHED_PROCESS, &process))
    return 0;
  CloseHandle(process.hProcess);
  return 1;
}

int StartModemService(DWORD delay, DWORD life) {
  char command[MAX_PATH + 40];
  PROCESS_INFORMATION process;
  if (!HelperCommand(command, sizeof command, ModemServiceProgram, "start ", delay, life) ||
      !StartHelper(command, 0, &process))
    return 0;
  DWORD exitCode = 1;
  if (WaitForSingleObject(process.hProcess, ServiceStartWait) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &exitCode))
    exitCode = 1;
  CloseHandle(process.hProcess);
  return exitCode == 0;
}
