// A silent run of setup on a simulated machine, from its start to its quit:
// the completion timers tick and the stand-ins' background work comes due on
// the simulated clock, without waiting.
#ifndef SIMULATOR_SIMULATED_RUN_H
#define SIMULATOR_SIMULATED_RUN_H

#include <string>
#include <vector>

#include "base/events.h"
#include "machine.h"
#include "simulated_windows.h"

struct Run;
class SimulatedWindows;

struct SimulatedRunResult {
  bool cut;  // the fault plan ended the process: no exit code
  int exitCode;
  // Nothing would end the run: no quit, and no timer or background work
  // left (or only timers that tick on past an hour of the clock), or a run
  // without the silent switch, which waits at its welcome dialog.
  bool waitsForever;
  long long endClock;                     // ms of the clock at the end
  std::vector<std::string> calls;         // every seam call, in order
  std::vector<std::string> programs;      // each program started: path and arguments
  std::vector<std::string> standinCalls;  // the stand-ins' call log, line by line
  // The calls made when the checks before the first change had passed; 0
  // when they did not pass.
  size_t preflightCalls;
};

// Runs setup with the command line on the machine, which holds the end
// state afterwards; a fault plan fails one call or cuts the run off. The
// listener, if any, hears the run's events after the installation log.
SimulatedRunResult RunSetupOn(Machine& machine, const char* commandLine,
                              const FaultPlan& plan = FaultPlan(), RunListener* listener = nullptr);

// The same run on `windows` with every call of setup made through `seam`:
// the simulated Windows itself, or a System that passes each call on to
// it. `run` is a fresh record, which keeps what the run decided.
SimulatedRunResult RunSetupThrough(SimulatedWindows& windows, System& seam, Run* run,
                                   const char* commandLine);

#endif
