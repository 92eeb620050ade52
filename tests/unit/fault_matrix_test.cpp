// The fault matrix: setup's silent run on the sample medium of every class,
// on a machine without and with an earlier installation, cut off after a
// call k (the process dies; the machine keeps its files and registry) and
// then run again to its end, or with call k failing in each way it can.
// A cut run, run again, leaves what one clean run leaves. A failing run
// ends with 0 and leaves what the clean run leaves, file attributes
// included, or ends with -1; either way it loses nothing that the clean run
// keeps (but what Expendable names) and leaves no file cut. The table after
// the summary tells, per class and machine, how the failing runs leave it:
// as before, as installed or broken, and of the broken those that leave a
// machine that had a working installation without one.
//
// CI takes every 7th call; FAULT_MATRIX_STRIDE=1 takes every call of every
// run (about six times as long, past half a minute beside a build):
//
//   FAULT_MATRIX_STRIDE=1 build/native/tests/unit/fault_matrix_tests
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fault_matrix.h"
#include "machine_snapshot.h"
#include "program_image.h"
#include "simulated_run.h"

namespace {

// Windows 2000 without a hardware id sets an INF aside that differs from
// the medium's: it also runs over an older version's installation.
const MatrixRun kRuns[] = {
    {"95", kOsClassWin95, "", false},
    {"98", kOsClassWin98, "", false},
    {"98se", kOsClassWin98SE, "", false},
    {"me", kOsClassWinME, "", false},
    {"nt4", kOsClassNT4, "", false},
    {"2000", kOsClassWin2000, "", false},
    {"2000 by refresh", kOsClassWin2000, "[GetHardWareId]\r\nResult=0\r\n", true},
};

// The failures that each call can meet; the calls of no row do not fail.
struct CallFailures {
  const char* calls;
  SystemStatus statuses[4];  // 0 ends the list
};
const CallFailures kFailures[] = {
    {"OpenKey CreateKey EnumKey EnumValue QueryValue SetValue DeleteValue DeleteKey FlushKey "
     "FileAttributes FindNextMatch ReadFromFile",
     {kStatusAccessDenied}},
    {"SetAttributes FindFirstMatch", {kStatusPathNotFound, kStatusAccessDenied}},
    {"RemoveFile RenameReplacing RenameFile OpenFileToRead OpenFileToAppend",
     {kStatusPathNotFound, kStatusAccessDenied, kStatusSharingViolation}},
    {"CopyOneFile",
     {kStatusPathNotFound, kStatusAccessDenied, kStatusSharingViolation, kStatusDiskFull}},
    {"MakeDirectory", {kStatusPathNotFound, kStatusAccessDenied, kStatusDiskFull}},
    {"AppendFile", {kStatusDiskFull}},
    {"ChangeDirectory ShortPath", {kStatusPathNotFound}},
    {"RunProgram", {kStatusBadExeFormat}},
    {"OpenLibrary", {kStatusModuleNotFound}},
    {"FreeSpace", {kStatusPathNotFound, kStatusAccessDenied}},
    {"ProbeExclusiveOpen", {kStatusAccessDenied, kStatusSharingViolation}},
};

const SystemStatus* FailuresOf(const std::string& callLine) {
  const std::string call = " " + callLine.substr(0, callLine.find(' ')) + " ";
  for (const CallFailures& row : kFailures) {
    if ((" " + std::string(row.calls) + " ").find(call) != std::string::npos) return row.statuses;
  }
  return nullptr;
}

std::string Capitals(std::string text) {
  for (char& c : text) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return text;
}

// The texts in quotation marks of a call's line, in capitals.
std::vector<std::string> QuotedTexts(const std::string& line) {
  std::vector<std::string> texts;
  for (size_t open = line.find('"'), close; open != std::string::npos;
       open = line.find('"', close + 1)) {
    close = line.find('"', open + 1);
    if (close == std::string::npos) break;
    texts.push_back(Capitals(line.substr(open + 1, close - open - 1)));
  }
  return texts;
}

// A machine of the matrix, and the clean run on it; its states with and
// without the archive bit, and whether it holds a working installation.
struct CleanRun {
  std::unique_ptr<Machine> start;
  MachineState before, after, exactBefore, exactAfter;
  std::vector<std::string> calls;
  size_t preflightCalls;  // the calls up to the end of the checks before the first change
  bool working;
};

CleanRun RunClean(const MatrixRun& run, MatrixMachine kind) {
  CleanRun clean;
  clean.start.reset(new Machine);
  std::string error;
  EXPECT_TRUE(StartMatrixMachine(SOURCE_DIR, run, kind, clean.start.get(), &error)) << error;
  clean.before = StateOf(*clean.start, kWithoutArchiveBit);
  clean.exactBefore = StateOf(*clean.start, kWithArchiveBit);
  std::unique_ptr<Machine> machine(new Machine);
  CopyMachine(*clean.start, machine.get());
  const SimulatedRunResult result = RunSetupOn(*machine, "S");
  EXPECT_EQ(0, result.exitCode) << run.name;
  clean.after = StateOf(*machine, kWithoutArchiveBit);
  clean.exactAfter = StateOf(*machine, kWithArchiveBit);
  clean.calls = result.calls;
  clean.preflightCalls = result.preflightCalls;
  EXPECT_NE(0u, clean.preflightCalls) << run.name << ": the checks pass";
  clean.working = HasWorkingInstallation(clean.exactBefore, clean.exactAfter, clean.exactBefore);
  return clean;
}

// What a failed run may take along of what was there: the files that the
// clean run deletes where a search of their own directory finds them (its
// removal of what earlier installations left, which comes before its
// copies; a copy keeps the file it replaces until the new one is in its
// place), and the registry records of the installation, those that a
// clean run adds to a machine without one: every run removes them, partly
// through the setup libraries and the country settings program, and
// writes them anew.
std::set<std::string> Expendable(const CleanRun& clean, const CleanRun& withoutInstallation) {
  std::set<std::string> names;
  std::string searched, found;
  for (const std::string& call : clean.calls) {
    const std::vector<std::string> texts = QuotedTexts(call);
    if (texts.empty()) continue;
    if (call.compare(0, 15, "FindFirstMatch ") == 0)
      searched = texts[0].substr(0, texts[0].rfind('\\'));
    if (call.compare(0, 4, "Find") == 0) found = searched + "\\" + texts.back();
    if (call.compare(0, 11, "RemoveFile ") == 0 && call.compare(call.size() - 4, 4, " = 0") == 0 &&
        texts[0] == found)
      names.insert(found);
  }
  const MachineState& before = withoutInstallation.before;
  for (const auto& entry : withoutInstallation.after) {
    const auto earlier = before.find(entry.first);
    if (entry.first.compare(0, 5, "HKLM\\") == 0 &&
        (earlier == before.end() || earlier->second != entry.second))
      names.insert(entry.first);
  }
  return names;
}

// The entries whose data differ, up to three.
std::string Differences(const MachineState& got, const MachineState& clean) {
  MachineState names = got;
  names.insert(clean.begin(), clean.end());
  std::string text;
  int shown = 0;
  for (const auto& entry : names) {
    if (EntryData(got, entry.first) != EntryData(clean, entry.first) && shown++ < 3)
      text += "\n    " + entry.first + ": " + EntryText(got, entry.first) +
              ", clean: " + EntryText(clean, entry.first);
  }
  return text;
}

// What a failed run must not do: lose or change an entry that the clean
// run keeps and that is not expendable (a value that setup's record beside
// it, "...BeforeTavelinSetup", holds for the next run is not lost); leave
// a file that holds neither its own content from before the run nor the
// clean run's, or, beside them, no whole file of either.
std::string Losses(const CleanRun& clean, const MachineState& after,
                   const std::set<std::string>& expendable) {
  std::set<std::string> whole;
  for (const MachineState* state : {&clean.before, &clean.after}) {
    for (const auto& entry : *state) {
      if (IsFileEntry(entry.first, entry.second)) whole.insert(entry.second);
    }
  }
  std::string text;
  for (const auto& entry : clean.before) {
    const std::string& name = entry.first;
    const std::string record = EntryData(after, name + "BEFORETAVELINSETUP");
    if (EntryData(clean.after, name) != entry.second || expendable.count(name) != 0 ||
        EntryData(after, name) == entry.second ||
        (!record.empty() && record.find(ValueBytes(entry.second)) != std::string::npos))
      continue;
    text += "\n    lost " + name + ": " + EntryText(after, name);
  }
  for (const auto& entry : after) {
    const std::string& name = entry.first;
    const std::string earlier = EntryData(clean.before, name), kept = EntryData(clean.after, name);
    if (!IsFileEntry(name, entry.second) || entry.second == earlier || entry.second == kept ||
        (earlier.empty() && kept.empty() && whole.count(entry.second) != 0))
      continue;
    text += "\n    " + name + ": " + EntryText(after, name) + ", cut or foreign";
  }
  return text;
}

// A failing run: how its call fails, setup's end and the state it leaves.
struct FailingRun {
  SystemStatus status;
  SimulatedRunResult result;
  MatrixEnd end;
  bool noWorkingDriver;  // the machine had a working installation and has none
};

// What a failing run must not do: wait forever, end other than 0 or -1,
// end 0 without the clean run's state, attributes included, or lose what
// Losses names; and a failure at call k up to the end of the checks before
// the first change must leave the machine as it was, unless the run takes
// it in its stride and ends as the clean run does.
std::string FaultsOf(const FailingRun& run, size_t k, const CleanRun& clean,
                     const MachineState& exact, const MachineState& after,
                     const std::set<std::string>& expendable) {
  std::string found;
  if (k <= clean.preflightCalls && run.end == kBroken)
    found = "\n    changed before the checks passed";
  if (run.result.waitsForever)
    found = "\n    waits forever";
  else if (run.result.exitCode == 0)
    found = Differences(exact, clean.exactAfter);
  else if (run.result.exitCode != -1)
    found = "\n    exit " + std::to_string(run.result.exitCode);
  return found + Losses(clean, after, expendable);
}

// A row of the table: a class on one machine.
struct MatrixRow {
  std::string name;
  size_t calls = 0, failures = 0, ends[kBroken + 1] = {}, noWorkingDriver = 0,
         exitZeroNotInstalled = 0;
};

void AddToRow(const FailingRun& run, const CleanRun& clean, const MachineState& exact,
              MatrixRow* row) {
  ++row->failures;
  ++row->ends[run.end];
  if (run.noWorkingDriver) ++row->noWorkingDriver;
  if (!run.result.waitsForever && run.result.exitCode == 0 && exact != clean.exactAfter)
    ++row->exitZeroNotInstalled;
}

void PrintRow(const MatrixRow& row) {
  printf("%-23s %6zu %7zu %10zu %13zu %7zu %18zu %22zu\n", row.name.c_str(), row.calls,
         row.failures, row.ends[kAsBefore], row.ends[kAsInstalled], row.ends[kBroken],
         row.noWorkingDriver, row.exitZeroNotInstalled);
}

void PrintTable(const std::vector<MatrixRow>& rows) {
  printf("%-23s %6s %7s %10s %13s %7s %18s %22s\n", "class and machine", "calls", "faults",
         "as before", "as installed", "broken", "no working driver", "exit 0, not installed");
  MatrixRow total;
  total.name = "total";
  for (const MatrixRow& row : rows) {
    PrintRow(row);
    total.calls += row.calls;
    total.failures += row.failures;
    for (int end = kAsBefore; end <= kBroken; ++end) total.ends[end] += row.ends[end];
    total.noWorkingDriver += row.noWorkingDriver;
    total.exitZeroNotInstalled += row.exitZeroNotInstalled;
  }
  PrintRow(total);
}

struct Tally {
  size_t cuts = 0, failures = 0, machines = 0;
  std::vector<std::string> faults;
  std::vector<MatrixRow> rows;
};

void RunMatrix(const std::string& where, const CleanRun& clean,
               const std::set<std::string>& expendable, size_t stride, size_t offset,
               Tally* tally) {
  ++tally->machines;
  MatrixRow row;
  row.name = where;
  row.calls = clean.calls.size();
  std::unique_ptr<Machine> machine(new Machine);
  for (size_t k = 1 + offset % stride; k <= clean.calls.size(); k += stride) {
    const std::string at = where + ", " + std::to_string(k) + " " + clean.calls[k - 1];
    CopyMachine(*clean.start, machine.get());
    FaultPlan cut = {};
    cut.cutAfter = k;
    const bool wasCut = RunSetupOn(*machine, "S", cut).cut;
    const int again = RunSetupOn(*machine, "S").exitCode;
    const std::string differences = Differences(StateOf(*machine, kWithoutArchiveBit), clean.after);
    ++tally->cuts;
    if (!wasCut || again != 0 || !differences.empty())
      tally->faults.push_back(at + ", cut there and run again: exit " + std::to_string(again) +
                              differences);
    const SystemStatus* statuses = FailuresOf(clean.calls[k - 1]);
    for (int i = 0; statuses != nullptr && i < 4 && statuses[i] != 0; ++i) {
      CopyMachine(*clean.start, machine.get());
      FaultPlan failing = {};
      failing.failCall = k;
      failing.failStatus = statuses[i];
      SimulatedRunResult result = RunSetupOn(*machine, "S", failing);
      const MachineState exact = StateOf(*machine, kWithArchiveBit);
      const FailingRun run = {
          statuses[i], std::move(result), EndOfRun(clean.exactBefore, clean.exactAfter, exact),
          clean.working && !HasWorkingInstallation(clean.exactBefore, clean.exactAfter, exact)};
      AddToRow(run, clean, exact, &row);
      const std::string found =
          FaultsOf(run, k, clean, exact, StateOf(*machine, kWithoutArchiveBit), expendable);
      ++tally->failures;
      if (!found.empty())
        tally->faults.push_back(at + ", failing with " + std::to_string(run.status) + ": exit " +
                                std::to_string(run.result.exitCode) + found);
    }
  }
  tally->rows.push_back(row);
}

// An installation of a version: the driver's INF, a catalog, a driver
// file and the modem's records of both families, beside what is no driver
// component (the uninstaller, an INF set aside).
const char kInf[] = "C:\\WINDOWS\\INF\\QVSMVXD.INF";
const char kCatalog[] = "C:\\WINDOWS\\OPTIONS\\CABS\\QVSMVXD.CAT";
const char kDriver[] = "C:\\WINDOWS\\SYSTEM32\\DRIVERS\\QVSM.SYS";
const char kRecord[] = "HKLM\\SYSTEM\\CURRENTCONTROLSET\\SERVICES\\CLASS\\MODEM\\0000";
const char kModel[] = "HKLM\\SYSTEM\\CURRENTCONTROLSET\\SERVICES\\CLASS\\MODEM\\0000 : MODEL";
const char kDescription[] =
    "HKLM\\SYSTEM\\CURRENTCONTROLSET\\SERVICES\\CLASS\\MODEM\\0000 : DRIVERDESC";
const char kNTRecord[] =
    "HKLM\\SYSTEM\\CURRENTCONTROLSET\\CONTROL\\CLASS\\{4D36E96D-E325-11CE-BFC1-08002BE10318}\\0000";

MachineState Installation(const std::string& version) {
  return {{kInf, "file 00 inf " + version},
          {kCatalog, "file 00 cat " + version},
          {kDriver, "file 00 sys " + version},
          {kRecord, "key"},
          {kModel, "type 1 " + version},
          {kDescription, "type 1 " + version},
          {kNTRecord, "key"},
          {std::string(kNTRecord) + " : ATTACHEDTO", "type 1 " + version},
          {"C:\\WINDOWS\\QVREMOVE.EXE", "file 00 " + version},
          {"C:\\WINDOWS\\INF\\QVSMVXD.INK", "file 00 " + version}};
}

TEST(FaultMatrix, WorkingInstallationIsEachDriverComponentWholeFromBeforeOrAsInstalled) {
  enum From { kFromBefore, kFromClean, kFromNothing };
  const struct {
    const char* what;
    From from;
    std::vector<std::pair<std::string, std::string>> changes;  // empty data: gone
    bool working;
  } kCases[] = {
      {"as the clean run leaves it", kFromClean, {}, true},
      {"as before", kFromBefore, {}, true},
      {"no installation", kFromNothing, {}, false},
      {"the INF from before, the rest new", kFromClean, {{kInf, "file 00 inf 1"}}, true},
      {"the record from before, the rest new",
       kFromClean,
       {{kModel, "type 1 1"}, {kDescription, "type 1 1"}},
       true},
      {"the INF gone", kFromClean, {{kInf, ""}}, false},
      {"a catalog cut", kFromClean, {{kCatalog, "file 00 ca"}}, false},
      {"the driver file gone", kFromBefore, {{kDriver, ""}}, false},
      {"a driver file read-only", kFromClean, {{kDriver, "file 01 sys 2"}}, true},
      {"a record of old and new values", kFromClean, {{kModel, "type 1 1"}}, false},
      {"a record with a value more",
       kFromBefore,
       {{std::string(kRecord) + " : X", "type 1"}},
       false},
      {"a record's value gone", kFromClean, {{kDescription, ""}}, false},
      {"NT's record changed", kFromClean, {{std::string(kNTRecord) + " : ATTACHEDTO", "x"}}, false},
      {"another record beside",
       kFromClean,
       {{std::string(kRecord, sizeof kRecord - 2) + "1", "key"}},
       true},
      {"no uninstaller nor INF set aside",
       kFromClean,
       {{"C:\\WINDOWS\\QVREMOVE.EXE", ""}, {"C:\\WINDOWS\\INF\\QVSMVXD.INK", ""}},
       true},
  };
  const MachineState before = Installation("1"), clean = Installation("2");
  for (const auto& test : kCases) {
    MachineState after = test.from == kFromBefore  ? before
                         : test.from == kFromClean ? clean
                                                   : MachineState();
    for (const auto& change : test.changes) {
      if (change.second.empty())
        after.erase(change.first);
      else
        after[change.first] = change.second;
    }
    EXPECT_EQ(test.working, HasWorkingInstallation(before, clean, after)) << test.what;
  }
}

TEST(FaultMatrix, EveryCutConvergesAndEveryFailureKeepsWhatWasThere) {
  const char* strideText = getenv("FAULT_MATRIX_STRIDE");
  const size_t stride = strideText != nullptr && atoi(strideText) > 0 ? atoi(strideText) : 7;
  const auto start = std::chrono::steady_clock::now();
  Tally tally;
  for (const MatrixRun& run : kRuns) {
    const CleanRun without = RunClean(run, kWithoutInstallation);
    const CleanRun earlier = RunClean(run, kEarlierInstallation);
    const std::string name = run.name;
    RunMatrix(name + " without", without, Expendable(without, without), stride, tally.machines,
              &tally);
    RunMatrix(name + " earlier", earlier, Expendable(earlier, without), stride, tally.machines,
              &tally);
    if (!run.overOlderVersion) continue;
    const CleanRun older = RunClean(run, kOlderInstallation);
    RunMatrix(name + " older", older, Expendable(older, without), stride, tally.machines, &tally);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf(
      "fault matrix: %zu cut points and %zu failures on %zu machines, one call in %zu: %s (%.1f "
      "s)\n",
      tally.cuts, tally.failures, tally.machines, stride,
      tally.faults.empty() ? "all hold"
                           : (std::to_string(tally.faults.size()) + " do not hold").c_str(),
      seconds);
  PrintTable(tally.rows);
  std::string first;
  for (size_t i = 0; i < tally.faults.size() && i < 20; ++i) first += tally.faults[i] + "\n";
  EXPECT_TRUE(tally.faults.empty()) << first;
}

// Conditions that a run can know before its first change, on every class,
// on a machine without and with an earlier installation: each ends -1 with
// the machine as it was and a log line that names the cause.
SimulatedFile* MachineFile(Machine* machine, const std::string& path) {
  SystemStatus status;
  return FindFile(&machine->disk, DrivePathNames(path), &status);
}

// The file at path, made where it is missing.
SimulatedFile* FileToHold(Machine* machine, const std::string& path) {
  SimulatedFile* file = MachineFile(machine, path);
  if (file != nullptr) return file;
  const std::vector<std::string> names = DrivePathNames(path);
  PutMachineFile(&machine->disk, names, "a file of another program");
  return MachineFile(machine, path);
}

// A file that the class copies from the medium, and a driver file that it
// copies onto the machine.
const char* CopiedMediumFile(OsClass osClass) {
  return osClass == kOsClassWin95 ? "qvsm.vxd" : "qvremove.exe";
}

std::string DriverDestination(OsClass osClass) {
  switch (osClass) {
    case kOsClassWinME:
      return "C:\\windows\\INF\\qvsm9md.inf";
    case kOsClassNT4:
      return "C:\\windows\\INF\\qvsmnt4.inf";
    case kOsClassWin2000:
      return "C:\\windows\\qvremove.exe";
    default:
      return "C:\\windows\\system32\\qvsm.vxd";
  }
}

const char kLog[] = "C:\\qvsetup.log";

// The lines that carry the run's failure.
int MarkedLines(const std::string& log) {
  int count = 0;
  for (size_t at = log.find(" !!! "); at != std::string::npos; at = log.find(" !!! ", at + 1))
    ++count;
  return count;
}

struct PredictableCondition {
  const char* name;
  OsClass onlyOn;  // kOsClassUnknown: every class
  void (*make)(Machine* machine, const MatrixRun& run);
  const char* logged;  // what the marked line and the end line say of it; null: no log
};

void UnreadableMediumFile(Machine* machine, const MatrixRun& run) {
  SimulatedFile* file =
      MachineFile(machine, std::string("C:\\medium\\") + CopiedMediumFile(run.osClass));
  file->damaged = true;
  file->damagedAt = 2;
}

// Room for the log's lines, not for the copies (of a file as large as a
// real medium's).
void FullDisk(Machine* machine, const MatrixRun& run) {
  const std::string copied = std::string("C:\\medium\\") + CopiedMediumFile(run.osClass);
  WriteContent(&machine->disk, MachineFile(machine, copied),
               ProgramImage() + std::string(8192, 'x'));
  machine->disk.capacity = machine->disk.used + 1024;
}

void HeldDriverFile(Machine* machine, const MatrixRun& run) {
  FileToHold(machine, DriverDestination(run.osClass))->heldByOther = true;
}

void TextLaunchEntry(Machine* machine, const MatrixRun&) {
  PutMachineFile(&machine->disk, DrivePathNames("C:\\medium\\readme.txt"), "Read me.\r\n");
  PutMachineFile(&machine->disk, DrivePathNames("C:\\medium\\qvsetup.ini"),
                 std::string("[INSTALL_OPTIONS]\r\nLogFile=") + kLog +
                     "\r\n[LAUNCH_FILES_9X]\r\nNotes=readme.txt\r\n[LAUNCH_FILES_NT]\r\n"
                     "Notes=readme.txt\r\n[LAUNCH_FILES_Win2K]\r\nNotes=readme.txt\r\n");
}

void LibraryWithoutEntry(Machine* machine, const MatrixRun&) {
  PutMachineFile(&machine->disk, DrivePathNames("C:\\medium\\QVSETUP1.DLL"),
                 LibraryImage({"UpdateNT5Device"}));
}

// The medium moved into a directory of at least `length` characters.
void MoveMedium(Machine* machine, size_t length) {
  std::string deep = "C:";
  while (deep.size() < length) deep += "\\a_directory_of_the_medium";
  deep.resize(length);
  SimulatedFile* medium = MachineFile(machine, "C:\\medium");
  SimulatedFile* target = MakeDirectories(&machine->disk, DrivePathNames(deep));
  for (std::unique_ptr<SimulatedFile>& entry : medium->entries) {
    entry->parent = target;
    target->entries.push_back(std::move(entry));
  }
  medium->entries.clear();
  machine->programDir = deep;
}

// Its files' paths do not fit into a copy's 255 characters, its options
// file's do: the log, named with a drive, tells why.
void DeepMedium(Machine* machine, const MatrixRun&) { MoveMedium(machine, 245); }

// Setup's own path does not fit: there are no options and no log.
void DeeperMedium(Machine* machine, const MatrixRun&) { MoveMedium(machine, 262); }

const PredictableCondition kConditions[] = {
    {"a medium file unreadable past its first bytes", kOsClassUnknown, UnreadableMediumFile,
     "can not be read to its end"},
    {"a full disk", kOsClassUnknown, FullDisk, "has no room for the files copied there"},
    {"a driver file held open", kOsClassUnknown, HeldDriverFile, "is held open by another program"},
    {"a launch entry that is a text file", kOsClassUnknown, TextLaunchEntry,
     "is no program that Windows can start"},
    {"QVSETUP1.DLL without InstallClassDevice", kOsClassNT4, LibraryWithoutEntry,
     "does not export the entry"},
    {"a medium directory too deep", kOsClassUnknown, DeepMedium, "directory is too deep"},
    {"a medium directory too deep for setup's own path", kOsClassUnknown, DeeperMedium, nullptr},
};

TEST(FaultMatrix, PredictableConditionsFailBeforeTheFirstChange) {
  for (const MatrixRun& run : kRuns) {
    for (MatrixMachine kind : {kWithoutInstallation, kEarlierInstallation}) {
      for (const PredictableCondition& condition : kConditions) {
        if (condition.onlyOn != kOsClassUnknown && condition.onlyOn != run.osClass) continue;
        SCOPED_TRACE(std::string(run.name) +
                     (kind == kEarlierInstallation ? " earlier" : " without") + ": " +
                     condition.name);
        std::unique_ptr<Machine> machine(new Machine);
        std::string error;
        ASSERT_TRUE(StartMatrixMachine(SOURCE_DIR, run, kind, machine.get(), &error)) << error;
        PutMachineFile(&machine->disk, DrivePathNames("C:\\medium\\qvsetup.ini"),
                       std::string("[INSTALL_OPTIONS]\r\nLogFile=") + kLog + "\r\n");
        condition.make(machine.get(), run);
        const MachineState before = StateOf(*machine, kWithArchiveBit);
        const SimulatedRunResult result = RunSetupOn(*machine, "S");
        EXPECT_EQ(-1, result.exitCode);
        SimulatedFile* log = MachineFile(machine.get(), kLog);
        const std::string logged = log != nullptr ? log->content : "";
        if (log != nullptr) RemoveEntry(&machine->disk, log);
        EXPECT_EQ("", Differences(StateOf(*machine, kWithArchiveBit), before))
            << "the machine as it was";
        if (condition.logged == nullptr) {
          EXPECT_EQ("", logged);
          continue;
        }
        EXPECT_EQ(1, MarkedLines(logged)) << logged;
        const size_t end = logged.find(" end: exit code -1: ");
        ASSERT_NE(std::string::npos, end) << logged;
        EXPECT_NE(std::string::npos, logged.find(condition.logged, end)) << logged;
      }
    }
  }
}

}  // namespace
