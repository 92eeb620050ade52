#include "run_setup.h"

#include "../files/setup_paths.h"
#include "final_cleanup.h"
#include "options.h"
#include "platform_class.h"
#include "run_state.h"

int RunSequence() {
  switch (OsClass) {
    case OsClassUnknown:
      return 1;  // nothing to do on a platform that setup does not know
    default:
      // The install, remove and refresh sequences of the known classes are
      // not part of this build: a run there fails rather than report an
      // installation that did not happen.
      return 0;
  }
}

int RunSetup() {
  if (!ComputeSetupPaths()) return 0;
  ReadSetupOptions();
  const int result = RunSequence();
  if (result == 0 && ImmediateFinish()) {
    FinalCleanup();
    return 0;
  }
  if (ImmediateFinish()) FinalCleanup();
  return 1;
}
