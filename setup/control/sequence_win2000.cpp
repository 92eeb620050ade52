// Windows 2000: installs the device by the controller's hardware id, from
// the setup library or from the PCI device tree; without an id, by a
// device refresh that the service poll timer watches.
#include "../files/launch_list.h"
#include "../files/matching_files.h"
#include "../files/setup_paths.h"
#include "../files/source_copy.h"
#include "../registry/controller_detection.h"
#include "../registry/driver_service.h"
#include "../registry/key_lists.h"
#include "administrator.h"
#include "completion_timers.h"
#include "progress.h"
#include "progress_steps.h"
#include "run_state.h"
#include "sequence_steps.h"
#include "setup_libraries.h"

static char HardwareId[HardwareIdSize];

// Installs the device with the id found. An id that no form of the INF
// lists installs nothing: the run then fails instead of ending as done.
static int InstallById(unsigned step) {
  ProgressStep(step);
  RemoveBrandSettingsKey();
  if (!UpdateDeviceByHardwareId(HardwareId, SetupEntries.UpdateNT5Device)) return 0;
  ProgressStep(step);
  ProgressStep(ProgressFill);
  RunLaunchList();
  return 1;
}

static void RemoveEarlierMonitor() {
  DeleteMatchingFiles(SetupPaths.WindowsDir, "qvsmmsg.exe");
  DeleteMatchingFiles(SetupPaths.SystemDir, "qvsmmsg.exe");
  DeleteMatchingFiles(SetupPaths.WindowsDir, "qvsm.isu");
  DeleteMatchingFiles(SetupPaths.CabsDir, "qvsmmsg.exe");
  RemoveMonitorRunEntry();
}

int RunWin2000Sequence() {
  if (!LoadWin2000Libraries()) return 0;
  ProgressStep(1);
  if (!BindWin2000Entries()) return 0;
  ProgressStep(2);
  if (IsAdministrator() != 1) return 0;
  RemoveGSMUKey();
  ProgressStep(2);
  CopySourceFile(SetupPaths.WindowsDir, "qvremove.exe");
  CopySourceFile(SetupPaths.CabsDir, "qvremove.exe");
  RemoveEarlierMonitor();
  if (SetupEntries.GetHardWareId(HardwareId)) {
    Checkpoint("getHardWareId");
    return InstallById(4);
  }
  if (FindIDFromEnum(HardwareId)) {
    Checkpoint("FindIDFromEnum");
    return InstallById(2);
  }
  Checkpoint("2krefresh");
  Win2KRefreshPending = true;
  RemoveBrandSettingsKey();
  InstallModemByRefresh();
  return 1;
}
