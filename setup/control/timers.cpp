#include "timers.h"

#include "../base/log.h"
#include "../base/progress.h"
#include "../registry/driver_service.h"
#include "../registry/earlier_installs.h"
#include "timers_rules.h"

namespace {

// The modem poll's ending, on success and at the limit alike: the launch
// list runs and the run counts as complete. An interactive run closes its
// progress dialog and, with ReBoot, leaves the ending to the restart
// dialog's buttons.
void EndModemPoll(Run* run) {
  RunLaunchListAndFlag(*run);
  FinalCleanup(run);
  KillCompletionTimer(&run->Timers.ModemPoll);
  if (run->Switches.SilentMode) {
    PostRunQuit(run, 0);
    return;
  }
  CloseProgress(run);
  if (run->Options.ReBoot)
    OfferRestart(run);
  else
    PostRunQuit(run, 0);
}

// The service poll's ending. On success an interactive run offers the
// restart (with ReBoot) while its progress dialog is still up, at the limit
// after closing it; the quit follows the dialog and carries the run's
// outcome.
void EndServicePoll(Run* run, int exitCode) {
  if (run->Switches.SilentMode) {
    PostRunQuit(run, exitCode);
    return;
  }
  if (exitCode == 0) {
    DebugMessage(nullptr, "Before Destroywindow", "Debug", 0);
    if (run->Options.ReBoot) OfferRestart(run);
    CloseProgress(run);
  } else {
    CloseProgress(run);
    if (run->Options.ReBoot) OfferRestart(run);
  }
  PostRunQuit(run, exitCode);
}

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
    EndServicePoll(run, 0);
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
  EndServicePoll(run, -1);
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
