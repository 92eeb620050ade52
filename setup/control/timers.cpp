#include "timers.h"

#include "../base/log.h"
#include "../base/progress.h"
#include "../registry/driver_service.h"
#include "../registry/earlier_installs.h"
#include "timers_rules.h"

namespace {

void CALLBACK ModemPollTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  Run* run = CallbackRun();
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

void CALLBACK ServicePollTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  Run* run = CallbackRun();
  if (!run->Timers.ServicePoll) return;  // a tick already queued when the poll ended
  ProgressStep(2);
  if (DriverServiceRunning()) {
    KillCompletionTimer(&run->Timers.ServicePoll);
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
  KillCompletionTimer(&run->Timers.ServicePoll);
  run->ServiceWaitExpired = true;
  FinalCleanup(run);
  DebugMessage(nullptr, "Timer expired!!", "Debug", 0);
  EndServicePoll(run, false);
}

}  // namespace

bool StartModemPollTimer(Run* run) {
  run->Timers.ModemPoll = SetTimer(nullptr, 0, kModemPollInterval, ModemPollTimerProc);
  return run->Timers.ModemPoll != 0;
}

bool StartServicePollTimer(Run* run) {
  run->Timers.ServicePoll = SetTimer(nullptr, 0, kServicePollInterval, ServicePollTimerProc);
  return run->Timers.ServicePoll != 0;
}
