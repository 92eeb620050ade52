#include "sequences.h"

#include "../base/log.h"
#include "../base/progress.h"
#include "../files/driver_sets.h"
#include "../files/lists.h"
#include "../files/preflight.h"
#include "../files/programs.h"
#include "../files/source_files.h"
#include "../registry/controller_detection.h"
#include "../registry/driver_service.h"
#include "../registry/earlier_installs.h"
#include "../registry/port_records.h"
#include "timers.h"

bool IsRemoveOnly(const CommandSwitches& switches) {
  return switches.RemoveMode && !switches.RefreshMode;
}

bool UsesWdmDriverSet(OsClass osClass, bool wdmDriverOption) {
  return osClass == kOsClassWinME || (osClass == kOsClassWin98SE && wdmDriverOption);
}

namespace {

const char kNotAdministrator[] = "setup does not run as an administrator";

// A diagnostic checkpoint: the text "xy" with the label as caption, shown
// only when the Debug option is on.
void Checkpoint(Run* run, const char* label) { DebugMessage(run->host, "xy", label); }

// The sequence stops for the cause given, which its ending tells.
bool StopFor(Run* run, RunEndReason cause) {
  run->SequenceStop = cause;
  return false;
}

// The sequence stops for what the text says, which the log marks as the
// run's failure.
bool StopWith(Run* run, const char* text) {
  TellFailure(run->host, text);
  return false;
}

// A device refresh that did not start leaves nothing that would end the
// run; false then.
bool RefreshStarted(Run* run) {
  if (CallRefreshWin2K(run->host, run->Libraries)) return true;
  run->SequenceStop = kEndNoRefresh;
  return false;
}

// Runs SourceDir\qvsetup3.exe, the Windows 95 device program, with the single
// argument (its command line is "qvsetup3.exe argument") and waits until it
// ends.
void RunDeviceProgram(Host& host, const SetupPaths& paths, const char* argument) {
  char path[kSetupPathSize];
  char line[kSetupPathSize];
  if (JoinPath(path, paths.SourceDir, "qvsetup3.exe") &&
      AppendText(line, sizeof line, "qvsetup3.exe ", argument))
    RunAndWait(host, path, line);
}

// Windows 95: the device program removes the earlier modem and refreshes
// the new one; no setup library is loaded, and no mode or option changes
// the order.
bool RunWin95Sequence(Run* run) {
  const SetupPaths& paths = run->Paths;
  ProgressStep(run->host, 3);
  RunDeviceProgram(run->host, paths, "remove");
  DeleteBinFile(run->host, paths, run->osClass);
  DeleteOld9xDriverFiles(run->host, paths, run->osClass);
  ProgressStep(run->host, 3);
  CopyVxdDriverFiles(run->host, paths, run->osClass);
  RemoveGSMUKey(run->host);
  RemoveBrandSettingsKey(run->host, run->Options.CleanUpRegistry);
  RemoveMonitorRunEntry(run->host);
  RunDeviceProgram(run->host, paths, "refresh");
  StartModemPollTimer(run);
  return true;
}

// Windows 98 family: starts the device refresh and, when it started, the
// modem poll timer.
void refreshdevicefor98(Run* run) {
  if (RefreshStarted(run)) StartModemPollTimer(run);
}

void RemoveEarlierWin98Installations(Run* run) {
  const SetupLibraries& libraries = run->Libraries;
  ProgressStep(run->host, 1);
  DeleteOld9xDriverFiles(run->host, run->Paths, run->osClass);
  CallRemoveModem(run->host, libraries);
  Checkpoint(run, "wdmDeleteDevice");
  CallWDMDeleteDevice(run->host, libraries);
  Checkpoint(run, "RemoveWDMKeys");
  RemoveWDMKeys(run->host);
  RemovePciClassKeys(run->host);
  Checkpoint(run, "removeDisabledModem");
  CallRemoveDisabledModem(run->host, libraries);
  RemoveNoDeviceEntries(run->host);
  ProgressStep(run->host, 1);
  Checkpoint(run, "deleteOtherDevice");
  CallDeleteOtherDevice(run->host, libraries);
  Checkpoint(run, "DeleteBinFile");
  DeleteBinFile(run->host, run->Paths, run->osClass);
  Checkpoint(run, "DeleteSecondModem");
  DeleteSecondModem(run->host);
  Checkpoint(run, "After DeleteSecondModem");
  RemoveGSMUKey(run->host);
  Checkpoint(run, "After RemoveGSMUKey");
  RemoveBrandSettingsKey(run->host, run->Options.CleanUpRegistry);
  Checkpoint(run, "After updateuninstkey");
  RemoveMonitorRunEntry(run->host);
}

void InstallWin98Driver(Run* run) {
  if (UsesWdmDriverSet(run->osClass, run->Options.WDMDriver)) {
    Checkpoint(run, " WDMDriver == TRUE ");
    CopyWdmDriverFiles(run->host, run->Paths, run->osClass);
  } else {
    CopyVxdDriverFiles(run->host, run->Paths, run->osClass);
  }
  CopyFileList(run->host, run->Paths, run->osClass);
  if (run->Options.CopyFilesOnly) {
    RunLaunchListAndFlag(run);
  } else {
    Checkpoint(run, "refreshdevicefor98");
    refreshdevicefor98(run);
  }
}

// The Windows 98 family (98, 98 Second Edition, ME): removes what earlier
// installations left, then, unless only removing, installs the driver set
// and refreshes the device.
bool RunWin98Sequence(Run* run) {
  Checkpoint(run, "OS Found 98");
  if (!LoadSetupLibrary2(run->host, &run->Libraries)) return StopFor(run, kEndLibraryNotLoaded);
  Checkpoint(run, "DLL2 ok");
  ProgressStep(run->host, 1);
  if (!BindWin98Entries(run->host, &run->Libraries)) return StopFor(run, kEndEntryMissing);
  RemoveEarlierWin98Installations(run);
  RunClassSet(run->host, run->Paths, run->osClass, kUninstallerSet);
  if (IsRemoveOnly(run->Switches)) {
    Checkpoint(run, "RemoveMode && !RefreshMode");
    ProgressStep(run->host, kProgressFill);
    RunLaunchListAndFlag(run);
    FinalCleanup(run);
    CarryOutEnding(run, kEndWithSuccess, kEndRemoveOnly);
    return true;
  }
  InstallWin98Driver(run);
  return true;
}

// NT 4.0: false when the earlier driver service stayed; nothing more may
// happen in this run.
bool RemoveEarlierNT4Modem(Run* run, char* infName) {
  const SetupLibraries& libraries = run->Libraries;
  Checkpoint(run, "oldport found");
  ProgressStep(run->host, 1);
  CallRemovePort(run->host, libraries);
  ProgressStep(run->host, 1);
  ProgressStep(run->host, 1);
  CallRemoveModem(run->host, libraries);
  ProgressStep(run->host, 1);
  if (!CallRemoveNTService(run->host, libraries)) {
    ProgressStep(run->host, 1);
    run->ServiceRemovalFailed = true;
    return false;
  }
  DeleteNT4DriverFiles(run->host, run->Paths, run->osClass);
  infName[0] = '\0';
  RemoveMonitorRunEntry(run->host);
  RemoveUnimodemDeviceKeys(run->host);
  RemoveBrandSettingsKey(run->host, run->Options.CleanUpRegistry);
  return true;
}

// Windows NT 4.0: removes an earlier installation of this driver (its port,
// modem, service, files and records), copies the driver set, installs the
// modem class device and writes the kernel service entry and the port.
bool RunNT4Sequence(Run* run) {
  ProgressStep(run->host, 1);
  if (!LoadSetupLibrary2(run->host, &run->Libraries)) return StopFor(run, kEndLibraryNotLoaded);
  if (!BindNT4Entries(run->host, &run->Libraries)) return StopFor(run, kEndEntryMissing);
  if (!run->host.system->IsAdministrator()) return StopWith(run, kNotAdministrator);
  Checkpoint(run, "foundoldport");
  // The INF name handed to the PCI lookup; the driver set names its own INF.
  char infName[kNT4InfNameSize] = {};
  const bool earlier = FindOldPort(run->host);
  if (earlier && !RemoveEarlierNT4Modem(run, infName)) return true;  // the user is asked to restart
  // A modem that an interrupted run installed before it wrote the driver
  // service would otherwise be installed a second time.
  if (!earlier && FindOurModemInstance(run->host)) CallRemoveModem(run->host, run->Libraries);
  RemoveGSMUKey(run->host);
  int mismatch = 0;
  CallGetInfByPci(run->host, run->Libraries, infName, &mismatch);
  ProgressStep(run->host, 1);
  if (mismatch && run->Options.HardwareDetectNT) {
    TellFailure(run->host, "GetInfByPci found another device and HardwareDetectNT is set");
    return StopFor(run, kEndOtherDevice);
  }
  CopyNT4DriverFiles(run->host, run->Paths, run->osClass, infName);
  ProgressStep(run->host, 1);
  CopyFileList(run->host, run->Paths, run->osClass);
  ProgressStep(run->host, 1);
  // With every COM port from 1 to 99 taken the modem would get no port:
  // its "AttachedTo" would be written empty and the run reported done.
  char portName[kPortNameSize] = {};
  if (!ChooseFreeComPort(run->host, portName))
    return StopWith(run, "no COM port from COM1 to COM99 is free for the modem");
  Checkpoint(run, "NTInstallModemDevice");
  if (!NTInstallModemDevice(run->host, &run->Libraries))
    return StopFor(run, run->Libraries.Library1 ? kEndEntryMissing : kEndLibraryNotLoaded);
  Checkpoint(run, "After NTInstallModemDevice");
  ProgressStep(run->host, 1);
  CreateDriverService(run->host, run->Paths.DriversDir);
  RunLaunchListAndFlag(run);
  if (!AddOldAttachedtoKey(run->host, portName))
    return StopWith(run,
                    "the modem's AttachedTo could not be written: its class record was not found");
  ProgressStep(run->host, kProgressFill);
  return true;
}

// Windows 2000: installs the device with the id found. An id that the setup
// library refuses installs nothing: the rest of the sequence still runs (the
// launch list rebuilds the settings just deleted), and the run then fails
// instead of ending as done.
bool InstallById(Run* run, const char* hardwareId, unsigned step) {
  ProgressStep(run->host, step);
  RemoveBrandSettingsKey(run->host, run->Options.CleanUpRegistry);
  wchar_t wideId[kWideHardwareIdSize];
  wchar_t wideInf[kWideInfNameSize];
  const bool installed = FormDeviceUpdate(run->host, hardwareId, wideId, wideInf);
  if (installed) CallUpdateNT5Device(run->host, run->Libraries, wideId, wideInf);
  ProgressStep(run->host, step);
  ProgressStep(run->host, kProgressFill);
  RunLaunchListAndFlag(run);
  return installed;
}

// Windows 2000 without a hardware id: sets the INF aside, copies it afresh
// and starts the device refresh; when the refresh started, the service poll
// watches for the driver service.
void InstallModemByRefresh(Run* run) {
  const SetupPaths& paths = run->Paths;
  DebugMessage(run->host, "In InstallModemByRefresh()", "Debug");
  // An INF that an interrupted run copied from this medium is no earlier
  // one: setting it aside would overwrite the earlier INF kept there.
  const SourceFileCopy inf =
      CompareWithSourceFile(*run->host.system, paths.SourceDir, paths.InfDir, kWin2000InfName);
  SystemStatus aside = kStatusSuccess;
  if (inf == kNoCopyOfSourceFile) {
    aside = RenameInfFile(run->host, paths.InfDir, "qvsmw2k.inf", "qvsmw2k.ink");
    RenameInfFile(run->host, paths.InfDir, "qvsmw2k.pnf", "qvsmw2k.pnk");
  }
  // An INF that can not be compared, or an earlier one that can not be set
  // aside, stays as it is rather than be lost, and the run fails.
  if (inf == kCopyUnknown || (aside != kStatusSuccess && aside != kStatusFileNotFound)) {
    TellFailure(run->host, "INF left as it is: not compared with the medium's, or not set aside");
    FailChange(run->host);
  } else {
    CopySourceFile(run->host, paths.SourceDir, paths.InfDir, kWin2000InfName);
  }
  if (RefreshStarted(run)) StartServicePollTimer(run);
}

// Windows 2000: installs the device by the controller's hardware id, from
// the setup library or from the PCI device tree; without an id, by a
// device refresh that the service poll timer watches.
bool RunWin2000Sequence(Run* run) {
  const SetupPaths& paths = run->Paths;
  if (!LoadWin2000Libraries(run->host, &run->Libraries)) return StopFor(run, kEndLibraryNotLoaded);
  ProgressStep(run->host, 1);
  if (!BindWin2000Entries(run->host, &run->Libraries)) return StopFor(run, kEndEntryMissing);
  ProgressStep(run->host, 2);
  if (!run->host.system->IsAdministrator()) return StopWith(run, kNotAdministrator);
  RemoveGSMUKey(run->host);
  ProgressStep(run->host, 2);
  RunClassSet(run->host, paths, run->osClass, kWin2000UninstallerSet);
  RunClassSet(run->host, paths, run->osClass, kWin2000MonitorSet);
  RemoveMonitorRunEntry(run->host);
  char hardwareId[kHardwareIdSize] = {};
  if (CallGetHardWareId(run->host, run->Libraries, hardwareId)) {
    Checkpoint(run, "getHardWareId");
    return InstallById(run, hardwareId, 4);
  }
  if (FindIDFromEnum(run->host, hardwareId)) {
    Checkpoint(run, "FindIDFromEnum");
    return InstallById(run, hardwareId, 2);
  }
  Checkpoint(run, "2krefresh");
  run->Win2KRefreshPending = true;
  RemoveBrandSettingsKey(run->host, run->Options.CleanUpRegistry);
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

namespace {

// What this run will copy and start: by class, and on the 98 family by the
// switches and the WDMDriver option.
PreflightScope ScopeOf(const Run& run) {
  PreflightScope scope = {};
  scope.LaunchList = true;
  switch (run.osClass) {
    case kOsClassWin95:
      scope.Sets[scope.SetCount++] = &kVxdCopySet;
      scope.DeviceProgram = "qvsetup3.exe";
      break;
    case kOsClassWin98:
    case kOsClassWin98SE:
    case kOsClassWinME:
      scope.Sets[scope.SetCount++] = &kUninstallerSet;
      if (IsRemoveOnly(run.Switches)) break;
      scope.Sets[scope.SetCount++] =
          UsesWdmDriverSet(run.osClass, run.Options.WDMDriver) ? &kWdmCopySet : &kVxdCopySet;
      scope.CopyList = true;
      break;
    case kOsClassNT4:
      scope.Sets[scope.SetCount++] = &kNT4CopySet;
      scope.CopyList = true;
      scope.LateLibrary = kLibrary1Name;
      scope.LateEntry = "InstallClassDevice";
      break;
    case kOsClassWin2000:
      scope.Sets[scope.SetCount++] = &kWin2000UninstallerSet;
      scope.ExtraMediumFile = kWin2000InfName;
      break;
    default:
      scope.LaunchList = false;
      break;
  }
  return scope;
}

// Before anything changes: a run that would fail on what it can know in
// advance (a file of the medium missing or unreadable, a destination in
// use or full, a program that is none) would have the earlier, working
// installation removed and nothing in its place. The run tells the check.
bool PassesPreflight(Run* run) {
  PreflightFailure failure;
  if (PassPreflight(*run->host.system, run->Paths, run->osClass, ScopeOf(*run), &failure)) {
    TellListeners(run->host, EventOf(kEventPreflightPassed));
    return true;
  }
  if (failure.Check == kMediumFileMissing) {
    RunEvent incomplete = EventOf(kEventMediumIncomplete);
    incomplete.path = failure.Path;
    incomplete.failsRun = true;
    TellListeners(run->host, incomplete);
    return StopFor(run, kEndMediumIncomplete);
  }
  RunEvent failed = OutcomeEvent(kEventPreflightFailed, failure.Path, nullptr, failure.Status);
  failed.text = PreflightCheckText(failure.Check);
  failed.failsRun = true;
  TellListeners(run->host, failed);
  return StopFor(run, kEndPreflightFailed);
}

// Why the paths of a run that has its medium's directory were refused.
const char* PathsRefusedText(PathsOutcome outcome) {
  return outcome == kPathTooLong
             ? "the medium's directory is too deep: the paths of its files do not fit into "
               "255 characters; nothing is changed"
             : "the medium's directory can not be made current, or the INF directory not be "
               "looked at; nothing is changed";
}

}  // namespace

SetupOutcome RunSetup(Run* run) {
  Host& host = run->host;
  const PathsOutcome paths =
      ComputeSetupPaths(host, run->osClass, LongestWindowsDir(run->osClass), &run->Paths);
  if (paths == kSetupNotFound) DebugMessage(host, "SearchPath() failed", "Error");
  // Without the medium's directory there are no options and no log.
  if (!run->Paths.SourceDir[0]) return kSetupNotStarted;
  if (paths == kPathsComputed)
    ReadSetupSourcePath(host, run->Paths.SavedSourcePath, &run->SourcePath);
  ReadSetupOptions(*host.system, run->Paths.SourceDir, &run->Options);
  ShowDebugMessages(host, run->Options.Debug);
  // Setup does not run without the log that it was told to write.
  if (!OpenInstallLog(host, run->Options, run->Paths, run->osClass, run->Switches)) {
    run->SequenceStop = kEndLogNotOpened;
    return kSetupNotStarted;
  }
  if (paths != kPathsComputed) {
    TellFailure(host, PathsRefusedText(paths));
    return kSetupNotStarted;
  }
  // Nothing of the machine changes before the checks; the log alone.
  if (!PassesPreflight(run)) return kSequenceFailed;
  if (!MakeCabinetStore(host, run->Paths)) {
    run->SequenceStop = kEndChangeFailed;
    return kSetupNotStarted;
  }
  SetSetupSourcePath(host, run->Paths.SourceDir, run->Paths.SavedSourcePath, &run->SourcePath);
  TellSourcePathRecovery(host, run->Paths.SavedSourcePath, run->SourcePath);
  const bool done = RunSequence(run);
  // A run that goes on under a timer is ended by the timer.
  if (ImmediateFinish(*run)) FinalCleanup(run);
  return done ? kSequenceDone : kSequenceFailed;
}

void RunSilently(Run* run) {
  const RunEndState state = EndStateOf(*run, true, false, RunSetup(run));
  const RunEnding ending = ChooseRunEnding(state);
  CarryOutEnding(run, ending, ReasonOfEnding(ending, state, run->SequenceStop));
}

bool StartRun(Run* run, char* commandLine, RunWindowsMaker makeWindows, void* context,
              RunListener* listener) {
  AddRunListener(run->host, &run->host.log);
  if (listener != nullptr) AddRunListener(run->host, listener);
  if (!BeginRun(run, commandLine)) {
    CarryOutEnding(run, kEndWithFailure, kEndAnotherSetupRuns);
    return false;
  }
  if (makeWindows != nullptr) makeWindows(run, context);
  if (!run->Switches.SilentMode) return true;
  RunSilently(run);
  return false;
}
