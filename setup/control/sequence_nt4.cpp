// Windows NT 4.0: removes an earlier installation of this driver (its port,
// modem, service, files and records), copies the driver set, installs the
// modem class device and writes the kernel service entry and the port.
#include "../files/copy_list.h"
#include "../files/driver_sets.h"
#include "../files/launch_list.h"
#include "../registry/driver_service.h"
#include "../registry/key_lists.h"
#include "../registry/port_records.h"
#include "administrator.h"
#include "options.h"
#include "progress.h"
#include "progress_steps.h"
#include "run_state.h"
#include "sequence_steps.h"
#include "setup_libraries.h"

// The INF name handed to the PCI lookup; the driver set names its own INF.
static char NT4InfName[NT4InfNameSize];

// 0 when the earlier driver service stayed: nothing more may happen in this run.
static int RemoveEarlierModem() {
  Checkpoint("oldport found");
  ProgressStep(1);
  SetupEntries.RemovePort();
  ProgressStep(1);
  ProgressStep(1);
  SetupEntries.RemoveModem();
  ProgressStep(1);
  if (!SetupEntries.RemoveNTService()) {
    ProgressStep(1);
    ServiceRemovalFailed = true;
    return 0;
  }
  DeleteNT4DriverFiles();
  NT4InfName[0] = '\0';
  RemoveMonitorRunEntry();
  RemoveUnimodemDeviceKeys();
  RemoveBrandSettingsKey();
  return 1;
}

int RunNT4Sequence() {
  ProgressStep(1);
  if (!LoadSetupLibrary2()) return 0;
  if (!BindNT4Entries()) return 0;
  if (IsAdministrator() != 1) return 0;
  Checkpoint("foundoldport");
  if (FindOldPort() && !RemoveEarlierModem()) return 1;  // the user is asked to restart
  RemoveGSMUKey();
  int mismatch = 0;
  SetupEntries.GetInfByPci(NT4InfName, &mismatch);
  ProgressStep(1);
  if (mismatch && SetupOptions.HardwareDetectNT) return 0;
  CopyNT4DriverFiles(NT4InfName);
  ProgressStep(1);
  CopyFileList();
  ProgressStep(1);
  // With every COM port from 1 to 99 taken the modem would get no port:
  // its "AttachedTo" would be written empty and the run reported done.
  if (!ChooseFreeComPort()) return 0;
  Checkpoint("NTInstallModemDevice");
  if (!NTInstallModemDevice()) return 0;
  Checkpoint("After NTInstallModemDevice");
  ProgressStep(1);
  CreateDriverService();
  RunLaunchList();
  if (!AddOldAttachedtoKey()) return 0;
  ProgressStep(ProgressFill);
  return 1;
}
