#include "plan.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "base/options.h"
#include "base/paths_rules.h"
#include "byte_stream.h"
#include "effect_output.h"
#include "files/driver_sets_rules.h"
#include "machine_snapshot.h"
#include "medium_files.h"
#include "medium_tree.h"
#include "plan_listener.h"
#include "reg_file.h"
#include "simulated_run.h"
#include "standin_entries.h"

const char kPlanMediumDir[] = "C:\\medium";

namespace {

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
  if (request.noHardwareId) return "[GetHardWareId]\r\nResult=0\r\n" + request.libraries;
  return request.libraries;
}

// The files that another program holds open, made where they are missing.
bool HoldFilesInUse(const PlanRequest& request, Machine* machine, std::string* problem) {
  for (const std::string& path : request.inUse) {
    const std::vector<std::string> names = DrivePathNames(path);
    SystemStatus status;
    SimulatedFile* file = names.empty() ? nullptr : FindFile(&machine->disk, names, &status);
    if (file == nullptr && !names.empty()) {
      std::vector<std::string> directory(names.begin(), names.end() - 1);
      MakeDirectories(&machine->disk, directory);
      if (PutMachineFile(&machine->disk, names, ""))
        file = FindFile(&machine->disk, names, &status);
    }
    if (file == nullptr || file->directory) {
      *problem = "--in-use " + path + ": no file of the machine's drive C:";
      return false;
    }
    file->heldByOther = true;
  }
  return true;
}

bool StartPlanMachine(const PlanRequest& request, const PlanClass& platform, Machine* machine,
                      std::string* problem) {
  const bool nineX = IsWindows9xClass(platform.osClass);
  StartMachine(machine, platform.osClass, false);
  machine->windowsDir = !request.windowsDir.empty() ? request.windowsDir
                        : nineX                     ? "C:\\WINDOWS"
                                                    : "C:\\WINNT";
  machine->systemDir = machine->windowsDir + (nineX ? "\\SYSTEM" : "\\system32");
  machine->programDir = PlanMediumDir(request);
  machine->startTime = request.startTime;
  for (const std::string& path :
       {machine->windowsDir, machine->systemDir, machine->windowsDir + "\\INF",
        machine->windowsDir + "\\system32\\drivers"})
    MakeDirectories(&machine->disk, DrivePathNames(path));
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
  config.push_back(StandinConfigName);
  PutMachineFile(&machine->disk, config, StandinConfig(request));
  unsigned badLine = 0;
  if (!ReadMachineRegistry(request, &machine->registry, &badLine)) {
    *problem = "line " + std::to_string(badLine) + " of the registry export is no line that " +
               platform.windowsName + " takes";
    return false;
  }
  if (!HoldFilesInUse(request, machine, problem)) return false;
  if (request.hasFreeSpace) machine->disk.capacity = machine->disk.used + request.freeSpace;
  return true;
}

}  // namespace

std::string RegistryChangesText(const RegistryModel& before, const RegistryModel& after,
                                const char* windowsName, unsigned* keysWritten,
                                unsigned* keysDeleted) {
  RegistryChanges changes;
  CompareRegistries(before, after, &changes);
  *keysWritten = changes.keysWritten;
  *keysDeleted = changes.keysDeleted;
  // The REGEDIT4 writer writes to a stream; no text when none opens.
  FILE* stream = OpenScratchStream();
  if (stream == nullptr) return std::string();
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
  std::string whole;
  ReadBackStream(stream, &whole);
  fclose(stream);
  return whole;
}

namespace {

// ------------------------------------------------------------ the ending

const PlanStep* FirstStep(const std::vector<PlanStep>& steps, bool (*wanted)(const PlanStep&)) {
  for (const PlanStep& step : steps) {
    if (wanted(step)) return &step;
  }
  return nullptr;
}

const PlanStep* LastStep(const std::vector<PlanStep>& steps, size_t count,
                         bool (*wanted)(const PlanStep&)) {
  for (size_t i = std::min(count, steps.size()); i > 0; --i) {
    if (wanted(steps[i - 1])) return &steps[i - 1];
  }
  return nullptr;
}

bool FailedLoad(const PlanStep& step) {
  return step.call == kLoadCall && step.status != kStatusSuccess;
}
bool MissingEntry(const PlanStep& step) { return step.call == kBindCall; }
bool Wait(const PlanStep& step) { return step.kind == kStepWait; }
bool CopyFailingRun(const PlanStep& step) { return step.kind == kStepCopy && step.failsRun; }
bool PciLookup(const PlanStep& step) {
  return step.call == kEntryCall && step.entry == "GetInfByPci";
}

// Why a run whose paths could not be formed changes nothing.
std::string PathsReason(const Plan& plan) {
  const size_t longest = LongestWindowsDir(plan.platform->osClass);
  if (!WindowsDirFits(plan.windowsDir.c_str(), longest))
    return "the Windows directory \"" + plan.windowsDir + "\" is longer than the " +
           std::to_string(longest) + " characters that setup takes on " +
           plan.platform->windowsName + ": it changes nothing";
  return "setup's paths do not fit into 259 characters: it changes nothing";
}

std::string ChangeFailedReason(const std::vector<PlanStep>& steps) {
  const PlanStep* copy = FirstStep(steps, CopyFailingRun);
  if (copy != nullptr)
    return "the copy of \"" + copy->from + "\" to \"" + copy->to + "\" fails (" + copy->result +
           "): setup goes on to its end and then fails";
  return "a change of the run failed (a registry record, a program that did not start, "
         "SourcePath not put back): setup goes on to its end and then fails";
}

std::string StoppedReason(const PlanListener& heard, const Plan& plan) {
  const size_t before = heard.StepsBeforeCleanup();
  const std::string sequence = std::string("the sequence of ") + plan.platform->windowsName;
  if (before == 0 || before > plan.steps.size()) return sequence + " stops before it is done";
  const PlanStep& last = plan.steps[before - 1];
  return sequence + " stops after step " + std::to_string(before) + " (" + last.text + ": " +
         last.result + ")";
}

// The sentence of the reason that setup's run ended for, with the facts of
// the steps that it quotes.
std::string EndReason(const PlanListener& heard, const Plan& plan) {
  const std::vector<PlanStep>& steps = plan.steps;
  const PlanStep* wait = LastStep(steps, steps.size(), Wait);
  switch (heard.EndReason()) {
    case kEndPathsNotFormed:
      return PathsReason(plan);
    case kEndMediumIncomplete:
      return "the medium lacks \"" + heard.MissingMediumFile() +
             "\", a file of the driver set: setup changes nothing";
    case kEndPreflightFailed:
      return "a check before the first change fails: " + heard.FailedCheck() +
             ": setup changes nothing";
    case kEndLibraryNotLoaded: {
      const PlanStep& load = *FirstStep(steps, FailedLoad);
      return load.arguments + " can not be loaded (" + load.result + "): the sequence stops";
    }
    case kEndEntryMissing:
      return "a setup library lacks the entry " + FirstStep(steps, MissingEntry)->arguments +
             ": the sequence stops";
    case kEndServiceNotRemoved:
      return "RemoveNTService did not remove the earlier driver service: nothing is installed";
    case kEndServiceNeverRan:
      return "the driver service did not run within " + SecondsText(wait->limit) +
             ": nothing is installed";
    case kEndChangeFailed:
      return ChangeFailedReason(steps);
    case kEndNoRefresh:
      return "RefreshWin2K answers 0, so no device refresh runs and nothing would end the run: "
             "setup cleans up and ends";
    case kEndOtherDevice:
      return "GetInfByPci reports another PCI device (" +
             LastStep(steps, heard.StepsBeforeCleanup(), PciLookup)->result +
             ") and HardwareDetectNT is set: the sequence stops";
    case kEndModemFound:
      return "the modem poll found the modem's class record after " + SecondsText(wait->waited);
    case kEndModemPollLimit:
      return "the modem poll reached its limit of " + SecondsText(wait->limit) +
             " without the modem's class record, which setup counts as complete";
    case kEndServiceRuns:
      return "the service poll found the driver service running after " + SecondsText(wait->waited);
    case kEndRemoveOnly:
      return "D without R removes the earlier installation only; the run ends with its sequence";
    case kEndCopyFilesOnly:
      return "CopyFilesOnly ends the run when its sequence returns";
    case kEndSequenceDone:
      return std::string(plan.platform->windowsName) + " ends the run when its sequence returns";
    case kEndAnotherSetupRuns:
      return "another setup runs: this one changes nothing";
    case kEndLogNotOpened:
      return "the installation log that LogFile names can not be opened: setup changes nothing";
    default:
      return StoppedReason(heard, plan);
  }
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

void AddFindings(const PlanListener& heard, Plan* plan) {
  bool explained = false;
  if (!heard.MissingMediumFile().empty()) {
    AddFinding(plan, nullptr, kPlanMediumIncomplete,
               "the medium lacks \"" + heard.MissingMediumFile() + "\", a file of the driver set",
               "setup changes nothing and ends with -1");
    explained = true;
  }
  if (!heard.FailedCheck().empty()) {
    AddFinding(plan, nullptr, kPlanPreflightFails,
               "setup's check before its first change fails: " + heard.FailedCheck(),
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
    } else if (step.kind == kStepRun && !step.started) {
      AddFinding(plan, &step, kPlanLaunchFails,
                 "\"" + step.path + "\" does not start: " + StatusText(step.status),
                 "setup goes on without it");
    } else if (step.kind == kStepRun) {
      AddFinding(plan, &step, kPlanLaunchFails, "\"" + step.command + "\" ends with " + step.result,
                 "setup takes no notice of the exit code");
    }
  }
  if (plan->ends && plan->exitCode != 0 && !explained)
    AddFinding(plan, nullptr, kPlanRunFails, plan->exitReason, "setup ends with -1");
}

std::vector<std::string> Assumptions(const PlanRequest& request, const PlanClass& platform) {
  std::vector<std::string> assumptions = {
      request.hasLibraries
          ? "the setup libraries answer as the --libraries file scripts their stand-ins"
          : "every entry of the setup libraries succeeds and makes the effect that setup "
            "waits for"};
  if (platform.osClass == kOsClassWin2000) {
    const std::string id = request.hasHardwareId ? request.hardwareId : DefaultHardwareId;
    assumptions.push_back(request.noHardwareId
                              ? "Windows 2000: GetHardWareId answers 0, no hardware id "
                                "(--hardware-id none)"
                              : "Windows 2000: GetHardWareId hands back the modem's id \"" + id +
                                    "\"");
  }
  assumptions.push_back("the medium lies in " + PlanMediumDir(request));
  for (const std::string& path : request.inUse)
    assumptions.push_back("another program holds " + path + " open");
  if (request.hasFreeSpace)
    assumptions.push_back("drive C: has " + std::to_string(request.freeSpace) +
                          " bytes free once the medium and Windows are on it");
  if (!request.hasMachine) {
    assumptions.push_back(
        "the registry holds the Run and Setup keys of CurrentVersion and nothing else");
    return assumptions;
  }
  assumptions.push_back(
      "the registry holds the keys of HKEY_LOCAL_MACHINE of the export, and the Run and Setup "
      "keys of CurrentVersion");
  for (const std::string& note : request.machine.notes)
    assumptions.push_back("the registry export: " + note);
  return assumptions;
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

std::string PlanMediumDir(const PlanRequest& request) {
  return request.mediumDir.empty() ? kPlanMediumDir : request.mediumDir;
}

bool ReadPlanDirectory(const char* text, bool rootAllowed, std::string* dir) {
  *dir = text;
  while (dir->size() > 3 && dir->back() == '\\') dir->pop_back();
  const bool onC = dir->size() >= 3 && (dir->at(0) == 'C' || dir->at(0) == 'c') &&
                   dir->compare(1, 2, ":\\") == 0;
  const bool root = dir->size() == 3;
  return onC && (rootAllowed || !root) && DrivePathNames(*dir).empty() == root;
}

bool ReadPlanMedium(const std::string& dir, unsigned codePage, PlanRequest* request,
                    std::string* problem) {
  std::vector<MediumTreeEntry> entries;
  const bool listed = ListMediumTree(dir, &entries, problem);
  // A name that the code page can not show is one that setup can not name:
  // the plan's machine leaves the file, or the directory's tree, out.
  std::vector<std::vector<std::string>> unnamed;
  for (const MediumTreeEntry& entry : entries) {
    const bool inUnnamed = std::any_of(unnamed.begin(), unnamed.end(), [&](const auto& tree) {
      return entry.names.size() > tree.size() &&
             std::equal(tree.begin(), tree.end(), entry.names.begin());
    });
    if (inUnnamed) continue;
    PlanMediumFile file = {{}, entry.directory, ""};
    bool named = true;
    for (const std::string& name : entry.names) {
      std::string windowsName;
      named = named && WindowsNameOf(name, codePage, &windowsName);
      file.names.push_back(windowsName);
    }
    if (!named) {
      if (entry.directory) unnamed.push_back(entry.names);
      continue;
    }
    if (!file.directory && !ReadFileBytes(entry.path.c_str(), &file.content)) {
      *problem = entry.path + ": can not be read";
      return false;
    }
    request->medium.push_back(file);
  }
  // In the order of their names, each directory before what it holds.
  std::sort(request->medium.begin(), request->medium.end(),
            [](const PlanMediumFile& a, const PlanMediumFile& b) { return a.names < b.names; });
  return listed;
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
  const SimulatedFile* optionsFile =
      FileOf(machine.get(), InDirectory(machine->programDir, "qvsetup.ini"));
  if (optionsFile != nullptr) ReadProfile(optionsFile->content, &options);

  plan->platform = &platform;
  plan->commandLine =
      std::string("S") + (request.removeSwitch ? " D" : "") + (request.refreshSwitch ? " R" : "");
  plan->windowsDir = machine->windowsDir;
  plan->mediumDir = machine->programDir;
  plan->systemDir = machine->systemDir;
  PlanListener heard(&options, platform.osClass);
  const SimulatedRunResult result =
      RunSetupOn(*machine, plan->commandLine.c_str(), FaultPlan(), &heard);

  plan->steps = heard.Steps();
  plan->files.clear();
  for (const FileChange& change : FileChanges(filesBefore, SnapshotFiles(machine->disk)))
    plan->files.push_back({change.path, change.kind});
  plan->registry = RegistryChangesText(before, machine->registry, platform.windowsName,
                                       &plan->keysWritten, &plan->keysDeleted);

  plan->ends = !result.waitsForever;
  plan->exitCode = result.exitCode;
  plan->endClock = result.endClock;
  plan->exitReason = plan->ends ? EndReason(heard, *plan)
                                : "nothing would end the run: setup would wait for ever";
  plan->assumptions = Assumptions(request, platform);
  plan->findings.clear();
  AddFindings(heard, plan);
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

bool MakePlans(const PlanRequest& request, const PlanClass* only,
               std::vector<std::unique_ptr<Plan>>* plans, std::string* problem) {
  for (const PlanClass& each : kClassNames) {
    if (only != nullptr && &each != only) continue;
    plans->emplace_back(new Plan);
    if (!MakePlan(request, each, plans->back().get(), problem)) return false;
  }
  return true;
}

std::string MediumSetupIniPath(const std::string& medium, unsigned codePage) {
  std::string setupIni;
  if (FindMediumFile(medium, kOptionsFileName, codePage, &setupIni) != kRegularFile)
    setupIni = JoinFilePath(medium, kOptionsFileName);
  return setupIni;
}

bool ReportPlansOfMedium(const std::string& medium, unsigned codePage, const PlanRequest& given,
                         FindingSink* sink, std::string* problem) {
  PlanRequest request = given;
  if (!ReadPlanMedium(medium, codePage, &request, problem)) return false;
  std::vector<std::unique_ptr<Plan>> plans;
  if (!MakePlans(request, nullptr, &plans, problem)) {
    *problem = medium + ": " + *problem;
    return false;
  }
  std::vector<const Plan*> made;
  for (const std::unique_ptr<Plan>& plan : plans) made.push_back(plan.get());
  ReportPlanFindings(made, MediumSetupIniPath(medium, codePage).c_str(), sink);
  return true;
}
