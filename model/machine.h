// A simulated machine: the Windows version and its settings, the registry
// below HKEY_LOCAL_MACHINE, drive C:, the programs whose outcome is
// scripted and the services of the service manager. The caller fills it;
// a run of SimulatedWindows changes it, so that it is the end state too.
#ifndef MODEL_MACHINE_H
#define MODEL_MACHINE_H

#include <cstdint>
#include <string>
#include <vector>

#include "base/platform.h"
#include "base/system_types.h"
#include "file_system.h"
#include "registry_model.h"

// A program that does not run as an ordinary one: its start fails with
// startError, or it ends with exitCode. name: its file name, or a full
// path; letters in any case.
struct ScriptedProgram {
  std::string name;
  SystemStatus startError;  // 0: it starts
  unsigned long exitCode;
};

// A service that the service manager knows; times in milliseconds of the
// run's clock, -1 for never.
struct MachineService {
  std::string name;
  long long runningFrom;
  long long stoppedAt;
};

struct Machine {
  OsClass osClass;
  bool testPlatform;  // the test platform's behaviour where it differs from Windows'
  bool administrator;
  SystemStatus restartStatus;  // what a restart request is answered: 0 when Windows takes it
  std::string windowsDir;
  std::string systemDir;
  std::string programDir;   // where setup.exe lies: searched first for programs and libraries
  std::string programName;  // the running program's file name in programDir
  std::string computerName;
  bool anotherSetupRuns;  // another setup holds the mark of a running setup
  std::string currentDir;
  int64_t startTime;  // seconds since 1970 of the clock's start; local time is UTC
  RegistryModel registry;
  SimulatedDisk disk;
  std::vector<ScriptedProgram> programs;
  std::vector<MachineService> services;
};

// A platform class by the short name that the tools give it ("98se"), and
// the name of its Windows.
struct ClassName {
  const char* name;
  OsClass osClass;
  const char* windowsName;
};

extern const ClassName kClassNames[6];

// The class of a short name, in any case; nullptr when none has it.
const ClassName* FindClassName(const char* name);

// An empty machine of the class: the registry of its family on Windows or
// on the test platform, an empty drive without a capacity, an administrator
// whose restart requests are accepted, at the clock's zero.
void StartMachine(Machine* machine, OsClass osClass, bool testPlatform);

// Makes `to` a copy of `from`: a run on the one leaves the other as it is.
void CopyMachine(const Machine& from, Machine* to);

// The version query's answer for a class, as each Windows reports it.
PlatformVersion VersionOfClass(OsClass osClass);

#endif
