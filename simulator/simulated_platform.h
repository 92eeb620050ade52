// The platform of the simulated Windows: the machine's version and
// settings, its services, and the clock, which starts at the machine's
// start time and moves only when a delay passes or the run's driver moves
// it to the next timer tick or delayed effect.
#ifndef SIMULATOR_SIMULATED_PLATFORM_H
#define SIMULATOR_SIMULATED_PLATFORM_H

#include <vector>

#include "base/system.h"
#include "simulated_process.h"

struct RunningTimer {
  int id;
  unsigned interval;
  long long due;
};

class SimulatedPlatform : public PlatformCalls {
 public:
  explicit SimulatedPlatform(SimulatedProcess* process);

  SYSTEM_PLATFORM_CALLS(override)

  long long Clock() const { return process_->clock; }
  bool QuitPosted() const { return quitPosted_; }
  int ExitCode() const { return exitCode_; }
  // The next moment at which a timer ticks; false when none runs.
  bool NextTick(long long* at) const;
  // The timer that ticks at the clock's moment, the earliest that came due
  // (a tick that came due while the run was busy comes now), its next tick
  // an interval later; 0 for none.
  int Tick();

 private:
  SimulatedProcess* process_;
  bool quitPosted_;
  int exitCode_;
  std::vector<RunningTimer> timers_;
};

#endif
