// The seam's services answered on a simulated machine: setup's run goes
// natively on it and changes the machine as it would change Windows. The
// groups of calls answer each its part (simulated_registry.h,
// simulated_files.h, simulated_environment.h, simulated_programs.h with
// the stand-ins of the setup libraries, simulated_platform.h); over them
// the fault plan (fault_plan.h) and over that the call record
// (call_record.h), through which every call comes.
#ifndef SIMULATOR_SIMULATED_WINDOWS_H
#define SIMULATOR_SIMULATED_WINDOWS_H

#include <string>
#include <vector>

#include "call_record.h"
#include "fault_plan.h"
#include "machine.h"
#include "simulated_environment.h"
#include "simulated_files.h"
#include "simulated_platform.h"
#include "simulated_process.h"
#include "simulated_programs.h"
#include "simulated_registry.h"
#include "simulated_standins.h"

// The parts of the simulated Windows, made before the record over them.
struct SimulatedParts {
  SimulatedParts(Machine* machine, const FaultPlan& plan);

  SimulatedProcess process;
  SimulatedRegistry registry;
  SimulatedFiles files;
  SimulatedEnvironment environment;
  SimulatedStandins standins;
  SimulatedPrograms programs;
  SimulatedPlatform platform;
  PlannedFaults faults;
};

class SimulatedWindows : private SimulatedParts, public CallRecord {
 public:
  explicit SimulatedWindows(Machine* machine, const FaultPlan& plan = FaultPlan());

  // The process ends where it stands, as a cut ends it, once the call is
  // recorded.
  void EndProcess(int exitCode) override;

  // The run's driver: the next moment at which a timer ticks or background
  // work is due (false when there is none), and the move of the clock to
  // it, which does the work due by then and returns the id of the timer
  // that ticks then (0 for none).
  bool NextEvent(long long* at) const;
  int AdvanceTo(long long at);

  long long Clock() const { return process.clock; }
  bool QuitPosted() const { return platform.QuitPosted(); }
  int ExitCode() const { return platform.ExitCode(); }
  const std::vector<std::string>& Calls() const { return Lines(); }
  // Each program started: its path and arguments, in order.
  const std::vector<std::string>& Programs() const { return programs.Started(); }
  // The stand-ins' call log as they wrote it, line by line.
  const std::vector<std::string>& StandinCalls() const { return standins.Calls(); }
};

#endif
