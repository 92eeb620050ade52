#include "timers.h"

#include "../base/log.h"
#include "../base/progress.h"
#include "../registry/driver_service.h"
#include "../registry/earlier_installs.h"

unsigned ModemPollLimit(OsClass osClass) {
  return kModemPollPeriod * (osClass == kOsClassWin95 ? 3u : 2u);
}

bool CountMissedTick(unsigned* elapsed, unsigned interval, unsigned limit) {
  const unsigned room = ~0u - *elapsed;
  *elapsed += interval < room ? interval : room;
  return *elapsed >= limit;
}

namespace {

void ModemPollTick(Run* run) {
  if (FindInstalledModem(run->host)) {
    LogEvent(run->host, "modem poll: modem class record found");
    ProgressStep(run->host, kProgressFill);
    EndModemPoll(run);
    return;
  }
  if (CountMissedTick(&run->Timers.ModemPollElapsed, kModemPollInterval,
                      ModemPollLimit(run->osClass))) {
    LogEvent(run->host, "modem poll: time limit reached, no modem class record");
    EndModemPoll(run);
  }
}

void ServicePollTick(Run* run) {
  ProgressStep(run->host, 2);
  if (DriverServiceRunning(run->host)) {
    StopCompletionTimer(run, kServicePollTimerId);
    ProgressStep(run->host, kProgressFill);
    RunLaunchListAndFlag(run);
    FinalCleanup(run);
    DebugMessage(run->host, "Install success", "Debug");
    EndServicePoll(run, true);
    return;
  }
  if (!CountMissedTick(&run->Timers.ServicePollElapsed, kServicePollInterval, kServicePollLimit))
    return;
  // The service never ran: no device was installed, so the run failed, in
  // both modes.
  StopCompletionTimer(run, kServicePollTimerId);
  run->ServiceWaitExpired = true;
  FinalCleanup(run);
  DebugMessage(run->host, "Timer expired!!", "Debug");
  EndServicePoll(run, false);
}

}  // namespace

bool StartModemPollTimer(Run* run) {
  run->Timers.ModemPoll = run->host.system->StartTimer(kModemPollTimerId, kModemPollInterval);
  return run->Timers.ModemPoll;
}

bool StartServicePollTimer(Run* run) {
  run->Timers.ServicePoll = run->host.system->StartTimer(kServicePollTimerId, kServicePollInterval);
  return run->Timers.ServicePoll;
}

// A tick already queued when its poll ended finds the poll stopped and does
// nothing.
void OnCompletionTimer(Run* run, int timerId) {
  if (timerId == kModemPollTimerId && run->Timers.ModemPoll) ModemPollTick(run);
  if (timerId == kServicePollTimerId && run->Timers.ServicePoll) ServicePollTick(run);
}
