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

// Runs setup to its quit, or until nothing will end it, every call made
// through seam; the listener, if any, hears the run's events.
void RunToItsEnd(SimulatedWindows& windows, System& seam, Run* run, const char* commandLine,
                 RunListener* listener) {
  run->host.system = &seam;
  std::vector<char> line(commandLine, commandLine + strlen(commandLine) + 1);
  // An interactive run waits at its welcome dialog, which the simulation
  // does not show.
  if (StartRun(run, line.data(), nullptr, nullptr, listener)) return;
  long long at = 0;
  while (!windows.QuitPosted() && windows.NextEvent(&at) && at <= kLongestRun) {
    const int timer = windows.AdvanceTo(at);
    if (timer != 0) OnCompletionTimer(run, timer);
  }
}

SimulatedRunResult ResultOf(const SimulatedWindows& windows, bool cut) {
  SimulatedRunResult result;
  result.cut = cut;
  result.exitCode = windows.ExitCode();
  result.waitsForever = !cut && !windows.QuitPosted();
  result.endClock = windows.Clock();
  result.calls = windows.Calls();
  result.programs = windows.Programs();
  result.standinCalls = windows.StandinCalls();
  return result;
}

}  // namespace

SimulatedRunResult RunSetupOn(Machine& machine, const char* commandLine, const FaultPlan& plan,
                              RunListener* listener) {
  SimulatedWindows windows(&machine, plan);
  std::unique_ptr<Run> run(new Run());
  // A cut ends the process where it stands: its run is dropped unfinished.
  try {
    RunToItsEnd(windows, windows, run.get(), commandLine, listener);
  } catch (const ProcessCut&) {
    return ResultOf(windows, true);
  }
  return ResultOf(windows, false);
}

SimulatedRunResult RunSetupThrough(SimulatedWindows& windows, System& seam, Run* run,
                                   const char* commandLine) {
  RunToItsEnd(windows, seam, run, commandLine, nullptr);
  return ResultOf(windows, false);
}
