#include "plan.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "base/paths_rules.h"
#include "control/run.h"
#include "control/sequences.h"
#include "control/timers.h"
#include "effect_output.h"
#include "files/driver_sets_rules.h"
#include "machine_snapshot.h"
#include "reg_file.h"
#include "scenario.h"
#include "simulated_run.h"
#include "simulated_windows.h"

const PlanClass kPlanClasses[6] = {
    {"95", kOsClassWin95, "Windows 95"},
    {"98", kOsClassWin98, "Windows 98"},
    {"98se", kOsClassWin98SE, "Windows 98 Second Edition"},
    {"me", kOsClassWinME, "Windows ME"},
    {"nt4", kOsClassNT4, "Windows NT 4.0"},
    {"2000", kOsClassWin2000, "Windows 2000"},
};

const char kPlanMediumDir[] = "C:\\medium";

const PlanClass* FindPlanClass(const char* name) {
  for (const PlanClass& each : kPlanClasses) {
    if (SameNameIgnoringCase(name, each.name)) return &each;
  }
  return nullptr;
}

namespace {

namespace fs = std::filesystem;

const char kStandinConfigName[] = "qvstandin.ini";

// The keys that setup opens without creating them, which every Windows of
// the classes has.
const char kEveryWindowsKeys[] =
    "REGEDIT4\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup]\n";

// The machine's registry before the run: the keys of every Windows, then
// those of the export.
bool ReadMachineRegistry(const PlanRequest& request, RegistryModel* registry, unsigned* badLine) {
  ReadRegedit4(kEveryWindowsKeys, registry, badLine);
  return !request.hasMachine || ReadRegedit4(request.machine.regedit4, registry, badLine);
}

const SimulatedFile* FileOf(Machine* machine, const std::string& path) {
  SystemStatus status;
  return FindFile(&machine->disk, DrivePathNames(path), &status);
}

// The stand-ins' configuration: the --libraries text, with GetHardWareId's
// answer. The profile reader takes the first section of a name: an id
// given on the command line comes before the text, the answer 0 after it.
std::string StandinConfig(const PlanRequest& request) {
  if (request.hasHardwareId)
    return "[GetHardWareId]\r\nResult=1\r\nId=" + request.hardwareId + "\r\n" + request.libraries;
  return request.libraries + "\r\n[GetHardWareId]\r\nResult=0\r\n";
}

bool StartPlanMachine(const PlanRequest& request, const PlanClass& platform, Machine* machine,
                      std::string* problem) {
  const bool nineX = IsWindows9xClass(platform.osClass);
  StartMachine(machine, platform.osClass, false);
  machine->windowsDir = !request.windowsDir.empty() ? request.windowsDir
                        : nineX                     ? "C:\\WINDOWS"
                                                    : "C:\\WINNT";
  machine->systemDir = machine->windowsDir + (nineX ? "\\SYSTEM" : "\\system32");
  machine->programDir = kPlanMediumDir;
  machine->startTime = request.startTime;
  AddStandardDirectories(machine);
  for (const PlanMediumFile& file : request.medium) {
    std::vector<std::string> names = DrivePathNames(machine->programDir);
    names.insert(names.end(), file.names.begin(), file.names.end());
    SimulatedFile* directory = file.directory ? MakeDirectories(&machine->disk, names) : nullptr;
    if (file.directory ? directory == nullptr || !directory->directory
                       : !PutMachineFile(&machine->disk, names, file.content)) {
      *problem = "a file of the medium stands where a directory goes: " +
                 names[names.size() - (file.directory ? 1 : 2)];
      return false;
    }
  }
  std::vector<std::string> config = DrivePathNames(machine->programDir);
  config.push_back(kStandinConfigName);
  PutMachineFile(&machine->disk, config, StandinConfig(request));
  unsigned badLine = 0;
  if (!ReadMachineRegistry(request, &machine->registry, &badLine)) {
    *problem = "line " + std::to_string(badLine) + " of the registry export is no line that " +
               platform.windowsName + " takes";
    return false;
  }
  return true;
}

// -------------------------------------------------------------- end state

const char* ChangeName(FileChangeKind kind) {
  switch (kind) {
    case kFileAdded:
      return "added";
    case kFileChanged:
      return "changed";
    case kFileRemoved:
      break;
  }
  return "removed";
}

}  // namespace

std::string RegistryChangesText(const RegistryModel& before, const RegistryModel& after,
                                const char* windowsName, unsigned* keysWritten,
                                unsigned* keysDeleted) {
  RegistryChanges changes;
  CompareRegistries(before, after, &changes);
  *keysWritten = changes.keysWritten;
  *keysDeleted = changes.keysDeleted;
  char* text = nullptr;
  size_t size = 0;
  FILE* stream = open_memstream(&text, &size);
  fprintf(stream,
          "REGEDIT4\r\n\r\n"
          "; What setup's run changes below HKEY_LOCAL_MACHINE on %s, simulated:\r\n"
          "; imported on the machine as it was before the run, it gives the machine after\r\n"
          "; it. The keys and values that the setup libraries make are those of their\r\n"
          "; stand-ins. Removal lines ([-key] and \"name\"=-) need the regedit of Windows 98\r\n"
          "; Second Edition, NT 4.0 or later.\r\n\r\n",
          windowsName);
  for (const std::string& key : changes.removedKeys) fprintf(stream, "[-%s]\r\n\r\n", key.c_str());
  PrintRegistryKeys(changes.changed, stream);
  fclose(stream);
  const std::string whole(text, size);
  free(text);
  return whole;
}

namespace {

// ------------------------------------------------------------ the ending

const PlanStep* LastStep(const std::vector<PlanStep>& steps, size_t count, PlanStepKind kind,
                         const char* entry) {
  for (size_t i = std::min(count, steps.size()); i > 0; --i) {
    const PlanStep& step = steps[i - 1];
    if (step.kind == kind && (entry == nullptr || step.entry == entry)) return &step;
  }
  return nullptr;
}

std::string Seconds(long long milliseconds) { return std::to_string(milliseconds / 1000) + " s"; }

// Each wait's result: whether it found what it waited for, and when.
void EndWaits(const Run& run, const PlanSeam& seam, std::vector<PlanStep>* steps) {
  for (const PlanSeam::WaitTimes& wait : seam.Waits()) {
    PlanStep& step = (*steps)[wait.step];
    step.waited = wait.ended >= 0 ? wait.ended - wait.began : 0;
    const bool found = wait.timer == kModemPollTimerId ? run.Timers.ModemPollElapsed < step.limit
                                                       : !run.ServiceWaitExpired;
    if (wait.ended < 0)
      step.result = "still waiting";
    else
      step.result =
          (found ? "found after " : "not found, the limit reached after ") + Seconds(step.waited);
  }
}

std::string FailureReason(const Run& run, const PlanSeam& seam, const Plan& plan) {
  const std::vector<PlanStep>& steps = plan.steps;
  const size_t before = seam.StepsBeforeCleanup();
  const char* windows = plan.platform->windowsName;
  if (run.Paths.StartDir[0] == '\0') {
    const size_t longest = LongestWindowsDir(run.osClass);
    if (!WindowsDirFits(plan.windowsDir.c_str(), longest))
      return "the Windows directory \"" + plan.windowsDir + "\" is longer than the " +
             std::to_string(longest) + " characters that setup takes on " + windows +
             ": it changes nothing";
    return "setup's paths do not fit into 259 characters: it changes nothing";
  }
  if (!seam.MissingMediumFile().empty())
    return "the medium lacks \"" + seam.MissingMediumFile() +
           "\", a file of the driver set: setup changes nothing";
  for (const PlanStep& step : steps) {
    if (step.kind == kStepCall && step.entry == "load" && step.result != "ok")
      return step.arguments + " can not be loaded (" + step.result + "): the sequence stops";
    if (step.kind == kStepCall && step.entry == "bind")
      return "a setup library lacks the entry " + step.arguments + ": the sequence stops";
  }
  if (run.ServiceRemovalFailed)
    return "RemoveNTService did not remove the earlier driver service: nothing is installed";
  if (run.ServiceWaitExpired)
    return "the driver service did not run within " + Seconds(kServicePollLimit) +
           ": nothing is installed";
  if (run.host.ChangeFailed) {
    for (const PlanStep& step : steps) {
      if (step.kind == kStepCopy && step.failsRun)
        return "the copy of \"" + step.from + "\" to \"" + step.to + "\" fails (" + step.result +
               "): setup goes on to its end and then fails";
    }
    return "a change of the run failed (a registry record, a program that did not start, "
           "SourcePath not put back): setup goes on to its end and then fails";
  }
  const PlanStep* refresh = LastStep(steps, before, kStepCall, "RefreshWin2K");
  if (refresh != nullptr && refresh->result == "0")
    return "RefreshWin2K answers 0, so no device refresh runs and nothing would end the run: "
           "setup cleans up and ends";
  const PlanStep* lookup = LastStep(steps, before, kStepCall, "GetInfByPci");
  if (lookup != nullptr && run.Options.HardwareDetectNT &&
      lookup->result.find("flag 0") == std::string::npos)
    return "GetInfByPci reports another PCI device (" + lookup->result +
           ") and HardwareDetectNT is set: the sequence stops";
  if (before == 0 || before > steps.size())
    return "the sequence of " + std::string(windows) + " stops before it is done";
  const PlanStep& last = steps[before - 1];
  return "the sequence of " + std::string(windows) + " stops after step " + std::to_string(before) +
         " (" + last.text + ": " + last.result + ")";
}

std::string SuccessReason(const Run& run, const Plan& plan) {
  const PlanStep* wait = LastStep(plan.steps, plan.steps.size(), kStepWait, nullptr);
  if (wait != nullptr && wait->interval == kModemPollInterval) {
    if (run.Timers.ModemPollElapsed < wait->limit)
      return "the modem poll found the modem's class record after " + Seconds(wait->waited);
    return "the modem poll reached its limit of " + Seconds(wait->limit) +
           " without the modem's class record, which setup counts as complete";
  }
  if (wait != nullptr)
    return "the service poll found the driver service running after " + Seconds(wait->waited);
  if (IsWindows9xClass(run.osClass) && IsRemoveOnly(run.Switches))
    return "D without R removes the earlier installation only; the run ends with its sequence";
  if (run.Options.CopyFilesOnly) return "CopyFilesOnly ends the run when its sequence returns";
  return std::string(plan.platform->windowsName) + " ends the run when its sequence returns";
}

// ---------------------------------------------------------------- findings

// A finding on the list entry that the step comes from, or on the first
// line when it comes from none.
void AddFinding(Plan* plan, const PlanStep* step, FindingCode code, const std::string& reason,
                const std::string& effect) {
  const bool listed = step != nullptr && step->sourceLine != 0;
  plan->findings.push_back(
      {listed ? step->sourceLine : 1, listed ? step->sourceColumn : 1, code, reason, effect});
}

void AddFindings(const PlanSeam& seam, Plan* plan) {
  bool explained = false;
  if (!seam.MissingMediumFile().empty()) {
    AddFinding(plan, nullptr, kPlanMediumIncomplete,
               "the medium lacks \"" + seam.MissingMediumFile() + "\", a file of the driver set",
               "setup changes nothing and ends with -1");
    explained = true;
  }
  for (const PlanStep& step : plan->steps) {
    if (!step.failed) continue;
    if (step.kind == kStepCopy && (step.sourceLine != 0 || step.failsRun)) {
      AddFinding(plan, &step, kPlanCopyFails,
                 "the copy of \"" + step.from + "\" to \"" + step.to + "\" fails: " + step.result,
                 step.failsRun ? "setup goes on without it and ends with -1"
                               : "setup goes on without it");
      explained = explained || step.failsRun;
    } else if (step.kind == kStepRun && step.result.compare(0, 11, "not started") == 0) {
      AddFinding(plan, &step, kPlanLaunchFails,
                 "\"" + step.path + "\" does not start: " + step.result.substr(13),
                 "setup goes on without it");
    } else if (step.kind == kStepRun) {
      AddFinding(plan, &step, kPlanLaunchFails, "\"" + step.command + "\" ends with " + step.result,
                 "setup takes no notice of the exit code");
    }
  }
  if (plan->ends && plan->exitCode != 0 && !explained)
    AddFinding(plan, nullptr, kPlanRunFails, plan->exitReason, "setup ends with -1");
}

std::string ClassList(const std::vector<const PlanClass*>& classes) {
  std::string list;
  for (size_t i = 0; i < classes.size(); ++i) {
    if (i > 0) list += i + 1 == classes.size() ? " and " : ", ";
    list += classes[i]->windowsName;
  }
  return list;
}

}  // namespace

bool ReadPlanMedium(const std::string& dir, PlanRequest* request, std::string* problem) {
  std::error_code error;
  for (fs::recursive_directory_iterator entry(dir, error), end; !error && entry != end;
       entry.increment(error)) {
    PlanMediumFile file = {{}, entry->is_directory(), ""};
    for (const fs::path& name : fs::relative(entry->path(), dir))
      file.names.push_back(name.string());
    FILE* stream = file.directory ? nullptr : fopen(entry->path().c_str(), "rb");
    if (!file.directory && stream == nullptr) {
      *problem = entry->path().string() + ": can not be read";
      return false;
    }
    char buffer[65536];
    for (size_t read; stream != nullptr && (read = fread(buffer, 1, sizeof buffer, stream)) > 0;)
      file.content.append(buffer, read);
    if (stream != nullptr) fclose(stream);
    request->medium.push_back(file);
  }
  if (error) *problem = dir + ": " + error.message();
  // In the order of their names, each directory before what it holds.
  std::sort(request->medium.begin(), request->medium.end(),
            [](const PlanMediumFile& a, const PlanMediumFile& b) { return a.names < b.names; });
  return !error;
}

bool MakePlan(const PlanRequest& request, const PlanClass& platform, Plan* plan,
              std::string* problem) {
  std::unique_ptr<Machine> machine(new Machine);
  if (!StartPlanMachine(request, platform, machine.get(), problem)) return false;
  RegistryModel before;
  StartRegistryModel(&before, machine->registry.platform, kWesternCodePage);
  unsigned badLine = 0;
  ReadMachineRegistry(request, &before, &badLine);
  const MachineFiles filesBefore = SnapshotFiles(machine->disk);

  Profile options;
  const SimulatedFile* optionsFile = FileOf(machine.get(), machine->programDir + "\\qvsetup.ini");
  if (optionsFile != nullptr) ReadProfile(optionsFile->content, &options);

  plan->platform = &platform;
  plan->commandLine =
      std::string("S") + (request.removeSwitch ? " D" : "") + (request.refreshSwitch ? " R" : "");
  plan->windowsDir = machine->windowsDir;
  plan->systemDir = machine->systemDir;
  SimulatedWindows windows(machine.get());
  PlanSeam seam(&windows, machine.get(), &options, machine->programDir);
  std::unique_ptr<Run> run(new Run());
  const SimulatedRunResult result =
      RunSetupThrough(windows, seam, run.get(), plan->commandLine.c_str());

  plan->steps = seam.Steps();
  EndWaits(*run, seam, &plan->steps);
  plan->files.clear();
  for (const FileChange& change : FileChanges(filesBefore, SnapshotFiles(machine->disk)))
    plan->files.push_back({change.path, ChangeName(change.kind)});
  plan->registry = RegistryChangesText(before, machine->registry, platform.windowsName,
                                       &plan->keysWritten, &plan->keysDeleted);

  plan->ends = !result.waitsForever;
  plan->exitCode = result.exitCode;
  plan->endClock = result.endClock;
  if (!plan->ends)
    plan->exitReason = "nothing would end the run: setup would wait for ever";
  else if (plan->exitCode != 0)
    plan->exitReason = FailureReason(*run, seam, *plan);
  else
    plan->exitReason = SuccessReason(*run, *plan);

  plan->assumptions.clear();
  plan->assumptions.push_back(
      request.hasLibraries
          ? "the setup libraries answer as the --libraries file scripts their stand-ins"
          : "every entry of the setup libraries succeeds and makes the effect that setup "
            "waits for");
  if (platform.osClass == kOsClassWin2000)
    plan->assumptions.push_back(request.hasHardwareId
                                    ? "Windows 2000: GetHardWareId hands back \"" +
                                          request.hardwareId + "\""
                                    : "Windows 2000: GetHardWareId answers 0, no hardware id");
  if (!request.hasMachine) {
    plan->assumptions.push_back(
        "the registry holds the Run and Setup keys of CurrentVersion and nothing else");
  } else {
    plan->assumptions.push_back(
        "the registry holds the keys of HKEY_LOCAL_MACHINE of the export, and the Run and Setup "
        "keys of CurrentVersion");
    for (const std::string& note : request.machine.notes)
      plan->assumptions.push_back("the registry export: " + note);
  }
  plan->findings.clear();
  AddFindings(seam, plan);
  return true;
}

void ReportPlanFindings(const std::vector<const Plan*>& plans, const char* file,
                        FindingSink* sink) {
  struct Merged {
    const PlanFinding* finding;
    std::vector<const PlanClass*> classes;
  };
  std::vector<Merged> merged;
  for (const Plan* plan : plans) {
    for (const PlanFinding& finding : plan->findings) {
      auto same = std::find_if(merged.begin(), merged.end(), [&](const Merged& each) {
        return each.finding->line == finding.line && each.finding->column == finding.column &&
               each.finding->code == finding.code && each.finding->reason == finding.reason &&
               each.finding->effect == finding.effect;
      });
      if (same == merged.end())
        merged.push_back({&finding, {plan->platform}});
      else
        same->classes.push_back(plan->platform);
    }
  }
  std::stable_sort(merged.begin(), merged.end(), [](const Merged& a, const Merged& b) {
    return a.finding->line != b.finding->line ? a.finding->line < b.finding->line
                                              : a.finding->column < b.finding->column;
  });
  const FindingPlace place = {file, "setup", sink};
  for (const Merged& each : merged) {
    ReportAt(place, each.finding->line, each.finding->column, each.finding->code,
             Say("%s", each.finding->reason.c_str()),
             Say("%s on %s", each.finding->effect.c_str(), ClassList(each.classes).c_str()));
  }
}
