#include "run_setup.h"

#include "../files/setup_paths.h"
#include "final_cleanup.h"
#include "install_log.h"
#include "options.h"
#include "platform_class.h"
#include "run_state.h"
#include "sequence_steps.h"

int RunSequence() {
  switch (OsClass) {
    case OsClassWin95:
      return RunWin95Sequence();
    case OsClassWin98:
    case OsClassWin98SE:
    case OsClassWinME:
      return RunWin98Sequence();
    case OsClassNT4:
      return RunNT4Sequence();
    case OsClassWin2000:
      return RunWin2000Sequence();
    default:
      return 1;  // nothing to do on a platform that setup does not know
  }
}

int RunSetup() {
  if (!ComputeSetupPaths()) return 0;
  ReadSetupOptions();
  OpenInstallLog();
  const int result = RunSequence();
  if (result == 0 && ImmediateFinish()) {
    FinalCleanup();
    return 0;
  }
  if (ImmediateFinish()) FinalCleanup();
  return 1;
}
