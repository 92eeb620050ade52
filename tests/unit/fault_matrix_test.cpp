// The fault matrix: setup's silent run on the sample medium of every class,
// on a machine without and with an earlier installation, cut off after a
// call k (the process dies; the machine keeps its files and registry) and
// then run again to its end, or with call k failing in each way it can.
// A cut run, run again, leaves what one clean run leaves. A failing run
// ends with 0 and leaves what the clean run leaves, or ends with -1; either
// way it loses nothing that the clean run keeps (but what Expendable names)
// and leaves no file cut.
//
// CI takes every 7th call; FAULT_MATRIX_STRIDE=1 takes every call of every
// run (about ten times as long):
//
//   FAULT_MATRIX_STRIDE=1 build/native/tests/unit/fault_matrix_tests
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fault_matrix.h"
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

// A machine of the matrix, and the clean run on it.
struct CleanRun {
  std::unique_ptr<Machine> start;
  MachineState before, after;
  std::vector<std::string> calls;
};

CleanRun RunClean(const MatrixRun& run, MatrixMachine kind) {
  CleanRun clean;
  clean.start.reset(new Machine);
  std::string error;
  EXPECT_TRUE(StartMatrixMachine(SOURCE_DIR, run, kind, clean.start.get(), &error)) << error;
  clean.before = StateOf(*clean.start);
  std::unique_ptr<Machine> machine(new Machine);
  CopyMachine(*clean.start, machine.get());
  const SimulatedRunResult result = RunSetupOn(*machine, "S");
  EXPECT_EQ(0, result.exitCode) << run.name;
  clean.after = StateOf(*machine);
  clean.calls = result.calls;
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

struct Tally {
  size_t cuts = 0, failures = 0, machines = 0;
  std::vector<std::string> faults;
};

void RunMatrix(const std::string& where, const CleanRun& clean,
               const std::set<std::string>& expendable, size_t stride, size_t offset,
               Tally* tally) {
  ++tally->machines;
  std::unique_ptr<Machine> machine(new Machine);
  for (size_t k = 1 + offset % stride; k <= clean.calls.size(); k += stride) {
    const std::string at = where + ", " + std::to_string(k) + " " + clean.calls[k - 1];
    CopyMachine(*clean.start, machine.get());
    FaultPlan cut = {};
    cut.cutAfter = k;
    const bool wasCut = RunSetupOn(*machine, "S", cut).cut;
    const int again = RunSetupOn(*machine, "S").exitCode;
    const std::string differences = Differences(StateOf(*machine), clean.after);
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
      const SimulatedRunResult result = RunSetupOn(*machine, "S", failing);
      const MachineState after = StateOf(*machine);
      std::string found;
      if (result.waitsForever)
        found = "\n    waits forever";
      else if (result.exitCode == 0)
        found = Differences(after, clean.after);
      else if (result.exitCode != -1)
        found = "\n    exit " + std::to_string(result.exitCode);
      found += Losses(clean, after, expendable);
      ++tally->failures;
      if (!found.empty())
        tally->faults.push_back(at + ", failing with " + std::to_string(statuses[i]) + ": exit " +
                                std::to_string(result.exitCode) + found);
    }
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
  std::string first;
  for (size_t i = 0; i < tally.faults.size() && i < 20; ++i) first += tally.faults[i] + "\n";
  EXPECT_TRUE(tally.faults.empty()) << first;
}

}  // namespace
