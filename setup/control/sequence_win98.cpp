// The Windows 98 family (98, 98 Second Edition, ME): removes what earlier
// installations left, then, unless only removing, installs the driver set
// and refreshes the device.
#include "../files/copy_list.h"
#include "../files/driver_sets.h"
#include "../files/launch_list.h"
#include "../files/setup_paths.h"
#include "../files/source_copy.h"
#include "../registry/driver_service.h"
#include "../registry/earlier_installs.h"
#include "../registry/key_lists.h"
#include "completion_timers.h"
#include "final_cleanup.h"
#include "options.h"
#include "progress.h"
#include "progress_steps.h"
#include "run_state.h"
#include "sequence_choices.h"
#include "sequence_steps.h"
#include "setup_libraries.h"

void refreshdevicefor98() {
  if (SetupEntries.RefreshWin2K()) StartModemPollTimer();
}

static void RemoveEarlierInstallations() {
  ProgressStep(1);
  DeleteOld9xDriverFiles();
  SetupEntries.RemoveModem();
  Checkpoint("wdmDeleteDevice");
  SetupEntries.WDMDeleteDevice();
  Checkpoint("RemoveWDMKeys");
  RemoveWDMKeys();
  RemovePciClassKeys();
  Checkpoint("removeDisabledModem");
  SetupEntries.RemoveDisabledModem();
  RemoveNoDeviceEntries();
  ProgressStep(1);
  Checkpoint("deleteOtherDevice");
  SetupEntries.DeleteOtherDevice();
  Checkpoint("DeleteBinFile");
  DeleteBinFile();
  Checkpoint("DeleteSecondModem");
  DeleteSecondModem();
  Checkpoint("After DeleteSecondModem");
  RemoveGSMUKey();
  Checkpoint("After RemoveGSMUKey");
  RemoveBrandSettingsKey();
  Checkpoint("After updateuninstkey");
  RemoveMonitorRunEntry();
}

static void InstallDriver() {
  if (UsesWdmDriverSet(OsClass, SetupOptions.WDMDriver)) {
    Checkpoint(" WDMDriver == TRUE ");
    CopyWdmDriverFiles();
  } else {
    CopyVxdDriverFiles();
  }
  CopyFileList();
  if (SetupOptions.CopyFilesOnly) {
    RunLaunchList();
  } else {
    Checkpoint("refreshdevicefor98");
    refreshdevicefor98();
  }
}

int RunWin98Sequence() {
  Checkpoint("OS Found 98");
  if (!LoadSetupLibrary2()) return 0;
  Checkpoint("DLL2 ok");
  ProgressStep(1);
  if (!BindWin98Entries()) return 0;
  RemoveEarlierInstallations();
  CopySourceFile(SetupPaths.WindowsDir, "qvremove.exe");
  if (IsRemoveOnly(Switches)) {
    Checkpoint("RemoveMode && !RefreshMode");
    ProgressStep(ProgressFill);
    RunLaunchList();
    FinalCleanup();
    PostRunQuit(0);
    return 1;
  }
  InstallDriver();
  return 1;
}
