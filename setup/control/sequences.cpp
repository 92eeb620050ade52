#include "sequences.h"

#include "../base/log.h"
#include "../base/options.h"
#include "../base/platform.h"
#include "../base/progress.h"
#include "../files/driver_sets.h"
#include "../files/lists.h"
#include "../files/programs.h"
#include "../files/source_files.h"
#include "../registry/controller_detection.h"
#include "../registry/driver_service.h"
#include "../registry/earlier_installs.h"
#include "../registry/port_records.h"
#include "sequences_rules.h"
#include "timers.h"

namespace {

// A diagnostic checkpoint: the text "xy" with the label as caption, shown
// only when the Debug option is on.
void Checkpoint(const char* label) { DebugMessage(nullptr, "xy", label, 0); }

const SetupEntries& Entries(const Run* run) { return run->Libraries.Entries; }

// Runs SourceDir\qvsetup3.exe, the Windows 95 device program, with the single
// argument (its command line is "qvsetup3.exe argument") and waits until it
// ends.
void RunDeviceProgram(const SetupPaths& paths, const char* argument) {
  char path[kSetupPathSize];
  char line[kSetupPathSize];
  if (JoinPath(path, paths.SourceDir, "qvsetup3.exe") &&
      AppendText(line, sizeof line, "qvsetup3.exe ", argument))
    RunAndWait(path, line);
}

// Windows 95: the device program removes the earlier modem and refreshes
// the new one; no setup library is loaded, and no mode or option changes
// the order.
bool RunWin95Sequence(Run* run) {
  const SetupPaths& paths = run->Paths;
  ProgressStep(3);
  RunDeviceProgram(paths, "remove");
  DeleteBinFile(paths, run->osClass);
  DeleteOld9xDriverFiles(paths, run->osClass);
  ProgressStep(3);
  CopyVxdDriverFiles(paths, run->osClass);
  RemoveGSMUKey();
  RemoveBrandSettingsKey(run->Options.CleanUpRegistry);
  RemoveMonitorRunEntry();
  RunDeviceProgram(paths, "refresh");
  StartModemPollTimer(run);
  return true;
}

// Windows 98 family: starts the device refresh and, when it started, the
// modem poll timer.
void refreshdevicefor98(Run* run) {
  if (Entries(run).RefreshWin2K()) StartModemPollTimer(run);
}

void RemoveEarlierWin98Installations(Run* run) {
  const SetupEntries& entries = Entries(run);
  ProgressStep(1);
  DeleteOld9xDriverFiles(run->Paths, run->osClass);
  entries.RemoveModem();
  Checkpoint("wdmDeleteDevice");
  entries.WDMDeleteDevice();
  Checkpoint("RemoveWDMKeys");
  RemoveWDMKeys();
  RemovePciClassKeys();
  Checkpoint("removeDisabledModem");
  entries.RemoveDisabledModem();
  RemoveNoDeviceEntries();
  ProgressStep(1);
  Checkpoint("deleteOtherDevice");
  entries.DeleteOtherDevice();
  Checkpoint("DeleteBinFile");
  DeleteBinFile(run->Paths, run->osClass);
  Checkpoint("DeleteSecondModem");
  DeleteSecondModem();
  Checkpoint("After DeleteSecondModem");
  RemoveGSMUKey();
  Checkpoint("After RemoveGSMUKey");
  RemoveBrandSettingsKey(run->Options.CleanUpRegistry);
  Checkpoint("After updateuninstkey");
  RemoveMonitorRunEntry();
}

void InstallWin98Driver(Run* run) {
  if (UsesWdmDriverSet(run->osClass, run->Options.WDMDriver)) {
    Checkpoint(" WDMDriver == TRUE ");
    CopyWdmDriverFiles(run->Paths, run->osClass);
  } else {
    CopyVxdDriverFiles(run->Paths, run->osClass);
  }
  CopyFileList(run->Paths, run->osClass);
  if (run->Options.CopyFilesOnly) {
    RunLaunchListAndFlag(*run);
  } else {
    Checkpoint("refreshdevicefor98");
    refreshdevicefor98(run);
  }
}

// The Windows 98 family (98, 98 Second Edition, ME): removes what earlier
// installations left, then, unless only removing, installs the driver set
// and refreshes the device.
bool RunWin98Sequence(Run* run) {
  Checkpoint("OS Found 98");
  if (!LoadSetupLibrary2(&run->Libraries)) return false;
  Checkpoint("DLL2 ok");
  ProgressStep(1);
  if (!BindWin98Entries(&run->Libraries)) return false;
  RemoveEarlierWin98Installations(run);
  RunClassSet(run->Paths, run->osClass, kUninstallerSet);
  if (IsRemoveOnly(run->Switches)) {
    Checkpoint("RemoveMode && !RefreshMode");
    ProgressStep(kProgressFill);
    RunLaunchListAndFlag(*run);
    FinalCleanup(run);
    CarryOutEnding(run, kEndWithSuccess);
    return true;
  }
  InstallWin98Driver(run);
  return true;
}

// NT 4.0: false when the earlier driver service stayed; nothing more may
// happen in this run.
bool RemoveEarlierNT4Modem(Run* run, char* infName) {
  const SetupEntries& entries = Entries(run);
  Checkpoint("oldport found");
  ProgressStep(1);
  entries.RemovePort();
  ProgressStep(1);
  ProgressStep(1);
  entries.RemoveModem();
  ProgressStep(1);
  if (!entries.RemoveNTService()) {
    ProgressStep(1);
    run->ServiceRemovalFailed = true;
    return false;
  }
  DeleteNT4DriverFiles(run->Paths, run->osClass);
  infName[0] = '\0';
  RemoveMonitorRunEntry();
  RemoveUnimodemDeviceKeys();
  RemoveBrandSettingsKey(run->Options.CleanUpRegistry);
  return true;
}

// Windows NT 4.0: removes an earlier installation of this driver (its port,
// modem, service, files and records), copies the driver set, installs the
// modem class device and writes the kernel service entry and the port.
bool RunNT4Sequence(Run* run) {
  ProgressStep(1);
  if (!LoadSetupLibrary2(&run->Libraries)) return false;
  if (!BindNT4Entries(&run->Libraries)) return false;
  if (!IsAdministrator()) return false;
  Checkpoint("foundoldport");
  // The INF name handed to the PCI lookup; the driver set names its own INF.
  char infName[kNT4InfNameSize] = {};
  const bool earlier = FindOldPort();
  if (earlier && !RemoveEarlierNT4Modem(run, infName)) return true;  // the user is asked to restart
  // A modem that an interrupted run installed before it wrote the driver
  // service would otherwise be installed a second time.
  if (!earlier && FindOurModemInstance()) Entries(run).RemoveModem();
  RemoveGSMUKey();
  int mismatch = 0;
  Entries(run).GetInfByPci(infName, &mismatch);
  ProgressStep(1);
  if (mismatch && run->Options.HardwareDetectNT) return false;
  CopyNT4DriverFiles(run->Paths, run->osClass, infName);
  ProgressStep(1);
  CopyFileList(run->Paths, run->osClass);
  ProgressStep(1);
  // With every COM port from 1 to 99 taken the modem would get no port:
  // its "AttachedTo" would be written empty and the run reported done.
  char portName[kPortNameSize] = {};
  if (!ChooseFreeComPort(portName)) return false;
  Checkpoint("NTInstallModemDevice");
  if (!NTInstallModemDevice(&run->Libraries)) return false;
  Checkpoint("After NTInstallModemDevice");
  ProgressStep(1);
  CreateDriverService(run->Paths.DriversDir);
  RunLaunchListAndFlag(*run);
  if (!AddOldAttachedtoKey(portName)) return false;
  ProgressStep(kProgressFill);
  return true;
}

// Windows 2000: installs the device with the id found. An id that the setup
// library refuses installs nothing: the rest of the sequence still runs (the
// launch list rebuilds the settings just deleted), and the run then fails
// instead of ending as done.
bool InstallById(Run* run, const char* hardwareId, unsigned step) {
  ProgressStep(step);
  RemoveBrandSettingsKey(run->Options.CleanUpRegistry);
  const bool installed = UpdateDeviceByHardwareId(hardwareId, Entries(run).UpdateNT5Device);
  ProgressStep(step);
  ProgressStep(kProgressFill);
  RunLaunchListAndFlag(*run);
  return installed;
}

// Windows 2000 without a hardware id: sets the INF aside, copies it afresh
// and starts the device refresh; when the refresh started, the service poll
// watches for the driver service.
void InstallModemByRefresh(Run* run) {
  const SetupPaths& paths = run->Paths;
  DebugMessage(nullptr, "In InstallModemByRefresh()", "Debug", 0);
  // An INF that an interrupted run copied from this medium is no earlier
  // one: setting it aside would overwrite the earlier INF kept there.
  if (!IsCopyOfSourceFile(paths.SourceDir, paths.InfDir, kWin2000InfName)) {
    RenameInfFile(paths.InfDir, "qvsmw2k.inf", "qvsmw2k.ink");
    RenameInfFile(paths.InfDir, "qvsmw2k.pnf", "qvsmw2k.pnk");
  }
  CopySourceFile(paths.SourceDir, paths.InfDir, kWin2000InfName);
  if (Entries(run).RefreshWin2K()) StartServicePollTimer(run);
}

// Windows 2000: installs the device by the controller's hardware id, from
// the setup library or from the PCI device tree; without an id, by a
// device refresh that the service poll timer watches.
bool RunWin2000Sequence(Run* run) {
  const SetupPaths& paths = run->Paths;
  if (!LoadWin2000Libraries(&run->Libraries)) return false;
  ProgressStep(1);
  if (!BindWin2000Entries(&run->Libraries)) return false;
  ProgressStep(2);
  if (!IsAdministrator()) return false;
  RemoveGSMUKey();
  ProgressStep(2);
  RunClassSet(paths, run->osClass, kWin2000UninstallerSet);
  RunClassSet(paths, run->osClass, kWin2000MonitorSet);
  RemoveMonitorRunEntry();
  char hardwareId[kHardwareIdSize] = {};
  if (Entries(run).GetHardWareId(hardwareId)) {
    Checkpoint("getHardWareId");
    return InstallById(run, hardwareId, 4);
  }
  if (FindIDFromEnum(hardwareId)) {
    Checkpoint("FindIDFromEnum");
    return InstallById(run, hardwareId, 2);
  }
  Checkpoint("2krefresh");
  run->Win2KRefreshPending = true;
  RemoveBrandSettingsKey(run->Options.CleanUpRegistry);
  InstallModemByRefresh(run);
  return true;
}

}  // namespace

bool RunSequence(Run* run) {
  switch (run->osClass) {
    case kOsClassWin95:
      return RunWin95Sequence(run);
    case kOsClassWin98:
    case kOsClassWin98SE:
    case kOsClassWinME:
      return RunWin98Sequence(run);
    case kOsClassNT4:
      return RunNT4Sequence(run);
    case kOsClassWin2000:
      return RunWin2000Sequence(run);
    default:
      return true;  // nothing to do on a platform that setup does not know
  }
}

SetupOutcome RunSetup(Run* run) {
  const PathsOutcome paths =
      ComputeSetupPaths(run->osClass, LongestWindowsDir(run->osClass), &run->Paths);
  if (paths == kSetupNotFound) DebugMessage(nullptr, "SearchPath() failed", "Error", 0);
  if (paths != kPathsComputed) return kSetupNotStarted;
  SetSetupSourcePath(run->Paths.SourceDir, run->Paths.SavedSourcePath, &run->SourcePath);
  ReadSetupOptions(run->Paths.SourceDir, &run->Options);
  ShowDebugMessages(run->Options.Debug);
  OpenInstallLog(run->Options, run->Paths, run->osClass, run->Switches);
  LogSourcePathRecovery(run->Paths.SavedSourcePath, run->SourcePath);
  const bool done = RunSequence(run);
  // A run that goes on under a timer is ended by the timer.
  if (ImmediateFinish(*run)) FinalCleanup(run);
  return done ? kSequenceDone : kSequenceFailed;
}
