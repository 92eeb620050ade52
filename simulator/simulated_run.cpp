#include "simulated_run.h"

#include <cstring>
#include <memory>

#include "control/run.h"
#include "control/sequences.h"
#include "control/timers.h"

namespace {

// A run whose timers still tick after an hour of the clock is one that no
// tick will end: the longest completion wait is 320 seconds.
const long long kLongestRun = 3600 * 1000;

// Runs setup to its quit, or until nothing will end it.
void RunToItsEnd(SimulatedWindows& windows, const char* commandLine) {
  std::unique_ptr<Run> run(new Run());
  return RunSetupThrough(windows, windows, run.get(), commandLine);
}

SimulatedRunResult RunSetupThrough(SimulatedWindows& windows, System& seam, Run* run,
                                   const char* commandLine) {
  run->host.system = &seam;
  std::vector<char> line(commandLine, commandLine + strlen(commandLine) + 1);
  BeginRun(run, line.data());
  // Without the silent switch the run waits at its welcome dialog, which
  // the simulation does not show.
  const bool silent = run->Switches.SilentMode;
  if (silent) RunSilently(run);
  long long at = 0;
  while (silent && !windows.QuitPosted() && windows.NextEvent(&at) && at <= kLongestRun) {
    const int timer = windows.AdvanceTo(at);
    if (timer != 0) OnCompletionTimer(run, timer);
  }
}

}  // namespace

SimulatedRunResult RunSetupOn(Machine& machine, const char* commandLine, const FaultPlan& plan) {
  SimulatedWindows windows(&machine, plan);
  SimulatedRunResult result;
  result.cut = false;
  // A cut ends the process where it stands: its run is dropped unfinished.
  try {
    RunToItsEnd(windows, commandLine);
  } catch (const ProcessCut&) {
    result.cut = true;
  }
  result.exitCode = windows.ExitCode();
  result.waitsForever = !result.cut && !windows.QuitPosted();
  result.endClock = windows.Clock();
  result.calls = windows.Calls();
  result.programs = windows.Programs();
  result.standinCalls = windows.StandinCalls();
  return result;
}
