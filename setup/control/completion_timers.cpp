#include "completion_timers.h"

#include <windows.h>

#include "../files/launch_list.h"
#include "../files/setup_paths.h"
#include "../files/source_copy.h"
#include "../registry/earlier_installs.h"
#include "../registry/hardware_id.h"
#include "final_cleanup.h"
#include "options.h"
#include "progress.h"
#include "progress_steps.h"
#include "run_state.h"
#include "setup_libraries.h"
#include "timer_limits.h"

static const char* const DriverServiceName = "TAVELINSoftModem";

static UINT_PTR ModemPollTimer = 0;
static UINT_PTR ServicePollTimer = 0;
static unsigned ModemPollElapsed = 0;
static unsigned ServicePollElapsed = 0;

static void KillTimerOf(UINT_PTR* timer) {
  if (*timer) KillTimer(nullptr, *timer);
  *timer = 0;
}

// The end of a run that a timer decides. The interactive run's progress
// and restart dialogs are not part of this build (without S setup ends at
// start-up), so both modes end here by posting the quit.
static void EndTimedRun(int exitCode) { PostRunQuit(exitCode); }

// The modem poll's ending, on success and at the limit alike: the launch
// list runs and the run counts as complete.
static void EndModemPoll() {
  RunLaunchList();
  FinalCleanup();
  KillTimerOf(&ModemPollTimer);
  EndTimedRun(0);
}

static void CALLBACK ModemPollTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (!ModemPollTimer) return;  // a tick already queued when the poll ended
  if (FindInstalledModem() == 1) {
    ProgressStep(ProgressFill);
    EndModemPoll();
    return;
  }
  if (CountMissedTick(&ModemPollElapsed, ModemPollInterval, ModemPollLimit(OsClass)))
    EndModemPoll();
}

int StartModemPollTimer() {
  ModemPollTimer = SetTimer(nullptr, 0, ModemPollInterval, ModemPollTimerProc);
  return ModemPollTimer != 0;
}

// A service that can not be opened or queried counts as not running.
static bool DriverServiceRunning() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return false;
  bool running = false;
  SC_HANDLE service = OpenServiceA(manager, DriverServiceName, SERVICE_ALL_ACCESS);
  if (service) {
    SERVICE_STATUS status;
    running = QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  return running;
}

static void CALLBACK ServicePollTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (!ServicePollTimer) return;  // a tick already queued when the poll ended
  ProgressStep(2);
  if (DriverServiceRunning()) {
    KillTimerOf(&ServicePollTimer);
    ProgressStep(ProgressFill);
    RunLaunchList();
    FinalCleanup();
    DebugMessage(nullptr, "Install success", "Debug", 0);
    EndTimedRun(0);
    return;
  }
  if (!CountMissedTick(&ServicePollElapsed, ServicePollInterval, ServicePollLimit)) return;
  // The service never ran: no device was installed, so the run failed.
  KillTimerOf(&ServicePollTimer);
  FinalCleanup();
  DebugMessage(nullptr, "Timer expired!!", "Debug", 0);
  EndTimedRun(-1);
}

void InstallModemByRefresh() {
  DebugMessage(nullptr, "In InstallModemByRefresh()", "Debug", 0);
  RenameInfFile("qvsmw2k.inf", "qvsmw2k.ink");
  RenameInfFile("qvsmw2k.pnf", "qvsmw2k.pnk");
  CopySourceFile(SetupPaths.InfDir, Win2000InfName);
  if (SetupEntries.RefreshWin2K())
    ServicePollTimer = SetTimer(nullptr, 0, ServicePollInterval, ServicePollTimerProc);
}

bool CompletionTimerRunning() { return ModemPollTimer != 0 || ServicePollTimer != 0; }

void KillCompletionTimers() {
  KillTimerOf(&ModemPollTimer);
  KillTimerOf(&ServicePollTimer);
}
