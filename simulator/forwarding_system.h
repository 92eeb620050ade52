// A System that hands each call of the seam on to the group of calls that
// answers it: the one list of the seam's calls that only pass them on. The
// simulated Windows is its groups behind one; the call record and the fault
// plan are ones that do their part on the way, in the calls they override.
#ifndef SIMULATOR_FORWARDING_SYSTEM_H
#define SIMULATOR_FORWARDING_SYSTEM_H

#include "base/system.h"

// The groups that answer the calls.
struct SeamGroups {
  RegistryCalls* registry;
  FileCalls* files;
  EnvironmentCalls* environment;
  ProgramCalls* programs;
  PlatformCalls* platform;
};

class ForwardingSystem : public System {
 public:
  explicit ForwardingSystem(const SeamGroups& groups);
  // Every call to one System.
  explicit ForwardingSystem(System* system);

  SYSTEM_CALLS(override)

 private:
  SeamGroups groups_;
};

#endif
