#include "completion_timers.h"

#include <windows.h>

#include "../files/launch_list.h"
#include "../files/setup_paths.h"
#include "../files/source_copy.h"
#include "../registry/earlier_installs.h"
#include "../registry/hardware_id.h"
#include "final_cleanup.h"
#include "install_log.h"
#include "main_window.h"
#include "options.h"
#include "progress.h"
#include "progress_dialog.h"
#include "progress_steps.h"
#include "restart_dialog.h"
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

// With ReBoot an interactive run offers the restart at its end.
static void OfferRestartWithReBoot() {
  if (!SetupOptions.ReBoot) return;
  ShowRestartDialog();
  HideMainWindow();
}

// The modem poll's ending, on success and at the limit alike: the launch
// list runs and the run counts as complete. An interactive run closes its
// progress dialog and, with ReBoot, leaves the ending to the restart
// dialog's buttons.
static void EndModemPoll() {
  RunLaunchList();
  FinalCleanup();
  KillTimerOf(&ModemPollTimer);
  if (Switches.Silent) {
    PostRunQuit(0);
    return;
  }
  DestroyProgressDialog();
  if (SetupOptions.ReBoot)
    OfferRestartWithReBoot();
  else
    PostRunQuit(0);
}

// The service poll's ending. On success an interactive run offers the
// restart while its progress dialog is still up, at the limit after
// closing it; the quit follows the dialog and carries the run's outcome.
static void EndServicePoll(int exitCode) {
  if (Switches.Silent) {
    PostRunQuit(exitCode);
    return;
  }
  if (exitCode == 0) {
    DebugMessage(nullptr, "Before Destroywindow", "Debug", 0);
    OfferRestartWithReBoot();
    DestroyProgressDialog();
  } else {
    DestroyProgressDialog();
    OfferRestartWithReBoot();
  }
  PostRunQuit(exitCode);
}

static void CALLBACK ModemPollTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (!ModemPollTimer) return;  // a tick already queued when the poll ended
  if (FindInstalledModem() == 1) {
    LogEvent("modem poll: modem class record found");
    ProgressStep(ProgressFill);
    EndModemPoll();
    return;
  }
  if (CountMissedTick(&ModemPollElapsed, ModemPollInterval, ModemPollLimit(OsClass))) {
    LogEvent("modem poll: time limit reached, no modem class record");
    EndModemPoll();
  }
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
    EndServicePoll(0);
    return;
  }
  if (!CountMissedTick(&ServicePollElapsed, ServicePollInterval, ServicePollLimit)) return;
  // The service never ran: no device was installed, so the run failed, in
  // both modes.
  KillTimerOf(&ServicePollTimer);
  ServiceWaitExpired = true;
  FinalCleanup();
  DebugMessage(nullptr, "Timer expired!!", "Debug", 0);
  EndServicePoll(-1);
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
