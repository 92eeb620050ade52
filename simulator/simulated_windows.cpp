#include "simulated_windows.h"

SimulatedParts::SimulatedParts(Machine* machine, const FaultPlan& plan)
    : process({machine, 0, 0, {}}),
      registry(&process),
      files(&process),
      environment(&process),
      standins(&process),
      programs(&process, &standins),
      platform(&process),
      faults({&registry, &files, &environment, &programs, &platform}, &files, plan) {}

SimulatedWindows::SimulatedWindows(Machine* machine, const FaultPlan& plan)
    : SimulatedParts(machine, plan),
      CallRecord(&faults, &faults, {&registry, &environment, &programs, &platform}) {}

void SimulatedWindows::EndProcess(int exitCode) {
  CallRecord::EndProcess(exitCode);
  throw ProcessCut();
}

bool SimulatedWindows::NextEvent(long long* at) const {
  long long work = 0;
  const bool ticks = platform.NextTick(at);
  const bool due = standins.NextWork(&work);
  if (due && (!ticks || work < *at)) *at = work;
  return ticks || due;
}

int SimulatedWindows::AdvanceTo(long long at) {
  standins.Pass(at > process.clock ? static_cast<unsigned long>(at - process.clock) : 0);
  return platform.Tick();
}
