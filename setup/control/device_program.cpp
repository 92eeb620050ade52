#include "device_program.h"

#include <windows.h>

#include "../files/path_text.h"
#include "../files/setup_paths.h"
#include "install_log.h"

static const char* const DeviceProgramName = "qvsetup3.exe";

void RunDeviceProgram(const char* argument) {
  char path[SetupPathSize];
  if (!JoinPath(path, SetupPaths.SourceDir, DeviceProgramName)) return;
  char line[SetupPathSize];
  if (!AppendText(line, sizeof line, "qvsetup3.exe ", argument)) return;

  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(path, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    LogProgramRun(path, line, nullptr);
    return;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  LogProgramRun(path, line, process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}
