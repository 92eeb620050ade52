#include "launch_list.h"

#include <windows.h>

#include "../control/install_log.h"
#include "../control/options.h"
#include "../control/run_state.h"
#include "../registry/cleanup_flag.h"
#include "argument_line.h"
#include "launch_entry.h"
#include "list_reader.h"
#include "list_sections.h"
#include "setup_paths.h"

// Room for nine quoted words of a 255-character value.
const size_t LaunchLineSize = 1024;

// Started directly, never through a command interpreter; the program
// inherits the current directory, the source directory.
static void RunProgram(const LaunchEntry& entry) {
  const char* words[LaunchWordLimit];
  for (int i = 0; i < entry.WordCount; ++i) words[i] = entry.Words[i];
  char line[LaunchLineSize];
  if (!FormArgumentLine(words, entry.WordCount, line, sizeof line)) return;

  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(entry.ProgramPath, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    LogProgramRun(entry.ProgramPath, line, nullptr);
    return;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  LogProgramRun(entry.ProgramPath, line, process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

static void LaunchListEntry(const char* value) {
  LaunchEntry entry;
  if (FormLaunchEntry(value, SetupPaths.SourceDir, SetupPaths.SystemDir, SetupPaths.WindowsDir, &entry))
    RunProgram(entry);
}

void RunLaunchList() {
  ForEachListValue(LaunchListSection(OsClass), LaunchListEntry);
  WriteCleanUpFlag(SetupOptions.CleanUpRegistry ? "Y" : "N");
}
