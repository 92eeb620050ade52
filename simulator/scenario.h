// A scenario of the differential test: a directory that describes a machine
// and a run of setup on it, and the result of the run as JSON.
//
//   scenario.ini  [Scenario] Class (95 98 98se me nt4 2000), CommandLine,
//                 WindowsDir, SystemDir, MediumDir, Administrator (1/0),
//                 Platform (wine: the test platform's behaviour; windows:
//                 the documented one), Time (the clock's start, seconds
//                 since 1970), AnotherSetupRuns (1: another setup holds
//                 the mark of a running setup); [Compare] Key1, Key2, ...: registry trees
//                 below HKLM whose end state the result shows
//   medium/       the files of the medium directory
//   machine.reg   REGEDIT4: what HKLM holds before the run (may be absent)
//   machine/      files present before the run, by their paths below C:\.
//
// The drive also has the directories that every Windows of the classes and
// the test platform's prefix have: the Windows and system directories, INF
// and system32\drivers below the Windows directory.
#ifndef SIMULATOR_SCENARIO_H
#define SIMULATOR_SCENARIO_H

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "machine.h"
#include "machine_snapshot.h"
#include "simulated_run.h"

struct Scenario {
  std::string commandLine;
  std::vector<std::string> compareKeys;
  Machine machine;
};

// False with a message when the directory is no readable scenario. The
// machine is filled in place: it is not to be moved afterwards.
bool LoadScenario(const std::string& directory, Scenario* scenario, std::string* error);

// The directories named above, on a started machine.
void AddStandardDirectories(Machine* machine);

// Copies the files and directories below a directory of the host into the
// machine's drive at `machineDirectory`.
bool AddHostFiles(const std::string& hostDirectory, const std::string& machineDirectory,
                  Machine* machine, std::string* error);

// A fresh machine of the class, on the test platform or as Windows is
// documented, with the sample medium of the source tree on C:\medium (its
// programs and libraries as empty files: the simulation knows them by their
// names), its Windows in C:\windows; false with a message when the source
// tree lacks it.
bool StartSampleMachine(const std::string& sourceDir, OsClass osClass, bool testPlatform,
                        Machine* machine, std::string* error);

// {"exit_code", "waits_forever", "library_calls", "programs", "registry",
// "files", "log", "calls"}: the registry trees of the compared keys, each
// key path and value name in capitals with "<type>:<hex data>"; the files
// that the run added or changed (their SHA-1) or removed (null); the lines
// that the run added to its installation log, without their timestamps
// (null without a log).
void PrintResultJson(FILE* out, const SimulatedRunResult& result, const Scenario& scenario,
                     const MachineFiles& before);

// The SHA-1 of the bytes in hexadecimal digits.
std::string Sha1Hex(const std::string& bytes);

#endif
