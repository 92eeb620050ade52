#include "final_cleanup.h"

#include "../files/setup_paths.h"
#include "../files/source_path.h"
#include "run_state.h"

void FinalCleanup() {
  if (CleanupDone) return;
  if (SetupPaths.StartDir[0]) SetCurrentDirectoryA(SetupPaths.StartDir);
  RestoreSetupSourcePath();
  if (Library1) {
    FreeLibrary(Library1);
    Library1 = nullptr;
  }
  if (Library2) {
    FreeLibrary(Library2);
    Library2 = nullptr;
  }
  CleanupDone = true;
}
