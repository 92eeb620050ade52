// Windows 95: the device program removes the earlier modem and refreshes
// the new one; no setup library is loaded, and no mode or option changes
// the order.
#include "../files/driver_sets.h"
#include "../registry/driver_service.h"
#include "../registry/key_lists.h"
#include "completion_timers.h"
#include "device_program.h"
#include "progress.h"
#include "sequence_steps.h"

int RunWin95Sequence() {
  ProgressStep(3);
  RunDeviceProgram("remove");
  DeleteBinFile();
  DeleteOld9xDriverFiles();
  ProgressStep(3);
  CopyVxdDriverFiles();
  RemoveGSMUKey();
  RemoveBrandSettingsKey();
  RemoveMonitorRunEntry();
  RunDeviceProgram("refresh");
  StartModemPollTimer();
  return 1;
}
