// qvlint --plan: what setup's silent run does with a medium on a platform
// class, before anyone runs it. Setup's own run goes on the simulated
// Windows (simulator/) with the documented behaviour of the class: a
// machine with the medium in C:\medium, the directories that every Windows
// of the class has and the keys of a registry export, if one is given;
// the setup libraries are the stand-ins, scripted as qvstandin.ini scripts
// them.
#ifndef QVLINT_PLAN_H
#define QVLINT_PLAN_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/platform.h"
#include "finding.h"
#include "machine.h"
#include "machine_snapshot.h"
#include "plan_listener.h"
#include "registry_export.h"
#include "registry_model.h"

// A class as --plan names it ("98se"), with the name of its Windows.
typedef ClassName PlanClass;

// A file or directory of the medium: its names below the medium's
// directory and its bytes.
struct PlanMediumFile {
  std::vector<std::string> names;
  bool directory;
  std::string content;
};

struct PlanRequest {
  std::vector<PlanMediumFile> medium;  // read once, laid out on each class's machine
  bool removeSwitch;                   // D and R beside the S that every plan's run has
  bool refreshSwitch;
  // Windows 2000: GetHardWareId hands back hardwareId, or with noHardwareId
  // answers 0; neither: it finds the modem's id, as every entry succeeds.
  bool hasHardwareId;
  std::string hardwareId;
  bool noHardwareId;
  bool hasLibraries;      // qvstandin.ini's text scripts the setup libraries
  std::string libraries;  // otherwise every entry succeeds and makes its effect
  bool hasMachine;        // the machine starts with the keys of an export
  MachineExport machine;
  std::string windowsDir;          // empty: C:\WINDOWS on the 9x classes, C:\WINNT on NT
  std::string mediumDir;           // a full path on C:; empty: kPlanMediumDir
  std::vector<std::string> inUse;  // full paths of files that another program holds open
  bool hasFreeSpace;               // the Windows drive's free bytes once the machine is laid out
  unsigned long long freeSpace;
  int64_t startTime;  // seconds since 1970 of the clock's start
};

// Where the plan's machine holds the medium: kPlanMediumDir unless the
// request names a directory.
std::string PlanMediumDir(const PlanRequest& request);

// A directory that --medium-dir and --windows-dir may name: a full path on
// drive C:, which is the one drive that the plan's machine has, the root
// only where rootAllowed. Its form without a trailing backslash into `dir`.
bool ReadPlanDirectory(const char* text, bool rootAllowed, std::string* dir);

struct PlanFileChange {
  std::string path;
  FileChangeKind change;
};

// A finding of one plan; the class is added when findings are reported.
struct PlanFinding {
  unsigned line;
  unsigned column;
  FindingCode code;
  std::string reason;
  std::string effect;
};

struct Plan {
  const PlanClass* platform;
  std::string commandLine;
  std::string mediumDir;
  std::string windowsDir;
  std::string systemDir;
  std::vector<std::string> assumptions;
  std::vector<PlanStep> steps;
  std::vector<PlanFileChange> files;
  std::string registry;  // REGEDIT4 text with CR LF line ends
  unsigned keysWritten;  // keys that are new or whose values change
  unsigned keysDeleted;
  bool ends;  // false: nothing would end the run
  int exitCode;
  std::string exitReason;  // one sentence, without its full stop
  long long endClock;      // ms of the clock at the end
  std::vector<PlanFinding> findings;
};

// What turns the registry `before` into `after`, as a REGEDIT4 file with CR
// LF line ends: the trees that went ([-key]), then each key that is new or
// whose values change, with those values and "name"=- for the values that
// went. The keys written (new, or with values set) and deleted are counted.
std::string RegistryChangesText(const RegistryModel& before, const RegistryModel& after,
                                const char* windowsName, unsigned* keysWritten,
                                unsigned* keysDeleted);

// The files and directories below `dir` of this computer into
// `request->medium`, under the names that Windows shows setup in the ANSI
// code page `codePage`; false, with `problem` saying why, when one can not
// be read.
bool ReadPlanMedium(const std::string& dir, unsigned codePage, PlanRequest* request,
                    std::string* problem);

// Where the plan's machine holds the medium.
extern const char kPlanMediumDir[];

// False, with `problem` saying why, when the medium can not be laid out on
// the machine or its registry does not take the export.
bool MakePlan(const PlanRequest& request, const PlanClass& platform, Plan* plan,
              std::string* problem);

// The plans of the classes (of every class when `only` is null), made on
// the request's medium; false, with `problem`, when one can not be made.
bool MakePlans(const PlanRequest& request, const PlanClass* only,
               std::vector<std::unique_ptr<Plan>>* plans, std::string* problem);

// The path on this computer of the medium's qvsetup.ini, which the
// findings name: the file as setup finds it, or where it would stand.
std::string MediumSetupIniPath(const std::string& medium, unsigned codePage);

// The findings of the plans to `sink`, each once, in the order of their
// lines, the classes on which it holds named in its effect; `file` is the
// medium's qvsetup.ini.
void ReportPlanFindings(const std::vector<const Plan*>& plans, const char* file, FindingSink* sink);

// The plan of every class of the medium directory, each way that a plan
// fails reported as a finding at the line of qvsetup.ini it comes from,
// naming the classes; the medium's names are read in the code page.
// False, with `problem`, when a plan can not be made.
bool ReportPlansOfMedium(const std::string& medium, unsigned codePage, const PlanRequest& request,
                         FindingSink* sink, std::string* problem);

#endif
