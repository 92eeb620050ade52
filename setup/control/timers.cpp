#include "timers.h"

#include "../base/log.h"
#include "../base/progress.h"
#include "../registry/driver_service.h"
#include "../registry/earlier_installs.h"
#include "timers_rules.h"

namespace {

void CALLBACK ModemPollTimerProc(HWND mainWindow, UINT, UINT_PTR, DWORD) {
  Run* run = RunOfWindow(mainWindow);
  if (!run->Timers.ModemPoll) return;  // a tick already queued when the poll ended
  if (FindInstalledModem()) {
    LogEvent("modem poll: modem class record found");
    ProgressStep(kProgressFill);
    EndModemPoll(run);
    return;
  }
  if (CountMissedTick(&run->Timers.ModemPollElapsed, kModemPollInterval,
                      ModemPollLimit(run->osClass))) {
    LogEvent("modem poll: time limit reached, no modem class record");
    EndModemPoll(run);
  }
}

void CALLBACK ServicePollTimerProc(HWND mainWindow, UINT, UINT_PTR, DWORD) {
  Run* run = RunOfWindow(mainWindow);
  if (!run->Timers.ServicePoll) return;  // a tick already queued when the poll ended
  ProgressStep(2);
  if (DriverServiceRunning()) {
    KillCompletionTimer(*run, &run->Timers.ServicePoll);
    ProgressStep(kProgressFill);
    RunLaunchListAndFlag(*run);
    FinalCleanup(run);
    DebugMessage(nullptr, "Install success", "Debug", 0);
    EndServicePoll(run, true);
    return;
  }
  if (!CountMissedTick(&run->Timers.ServicePollElapsed, kServicePollInterval, kServicePollLimit))
    return;
  // The service never ran: no device was installed, so the run failed, in
  // both modes.
  KillCompletionTimer(*run, &run->Timers.ServicePoll);
  run->ServiceWaitExpired = true;
  FinalCleanup(run);
  DebugMessage(nullptr, "Timer expired!!", "Debug", 0);
  EndServicePoll(run, false);
}

}  // namespace

// The timers belong to the main window, which carries the run: without it
// no timer starts, and the run ends as one that nothing would end.
bool StartModemPollTimer(Run* run) {
  if (!run->Windows.MainWindow) return false;
  run->Timers.ModemPoll =
      SetTimer(run->Windows.MainWindow, kModemPollTimerId, kModemPollInterval, ModemPollTimerProc);
  return run->Timers.ModemPoll != 0;
}

bool StartServicePollTimer(Run* run) {
  if (!run->Windows.MainWindow) return false;
  run->Timers.ServicePoll = SetTimer(run->Windows.MainWindow, kServicePollTimerId,
                                     kServicePollInterval, ServicePollTimerProc);
  return run->Timers.ServicePoll != 0;
}
