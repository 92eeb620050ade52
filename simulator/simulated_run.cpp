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

// Notes how many calls the run had made when its checks before the first
// change passed, and passes every event on.
class PreflightWatch : public RunListener {
 public:
  PreflightWatch(const SimulatedWindows& windows, RunListener* next)
      : windows_(windows), next_(next), calls_(0) {}

  void Heard(Host& host, const RunEvent& event) override {
    if (event.kind == kEventPreflightPassed) calls_ = windows_.Calls().size();
    if (next_ != nullptr) next_->Heard(host, event);
  }

  size_t Calls() const { return calls_; }

 private:
  const SimulatedWindows& windows_;
  RunListener* next_;
  size_t calls_;
};

SimulatedRunResult ResultOf(const SimulatedWindows& windows, bool cut,
                            const PreflightWatch& watch) {
  SimulatedRunResult result;
  result.preflightCalls = watch.Calls();
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
  PreflightWatch watch(windows, listener);
  // A cut ends the process where it stands: its run is dropped unfinished.
  try {
    RunToItsEnd(windows, windows, run.get(), commandLine, &watch);
  } catch (const ProcessCut&) {
    return ResultOf(windows, true, watch);
  }
  return ResultOf(windows, false, watch);
}

SimulatedRunResult RunSetupThrough(SimulatedWindows& windows, System& seam, Run* run,
                                   const char* commandLine) {
  PreflightWatch watch(windows, nullptr);
  RunToItsEnd(windows, seam, run, commandLine, &watch);
  return ResultOf(windows, false, watch);
}
