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

// The tick that decides a poll tells its end: found, counting this tick
// too, or at its limit.
void DecidePoll(Run* run, CompletionTimerId timer, bool found) {
  CompletionTimers& timers = run->Timers;
  const bool modemPoll = timer == kModemPollTimerId;
  (modemPoll ? timers.ModemPollDecided : timers.ServicePollDecided) = true;
  const unsigned elapsed = modemPoll ? timers.ModemPollElapsed : timers.ServicePollElapsed;
  const unsigned interval = modemPoll ? kModemPollInterval : kServicePollInterval;
  RunEvent ended = EventOf(kEventWaitEnded);
  ended.timer = timer;
  ended.found = found;
  ended.number = static_cast<long>(found ? elapsed + interval : elapsed);
  TellListeners(run->host, ended);
}

void ModemPollTick(Run* run) {
  if (FindInstalledModem(run->host)) {
    DecidePoll(run, kModemPollTimerId, true);
    ProgressStep(run->host, kProgressFill);
    EndModemPoll(run, kEndModemFound);
    return;
  }
  if (CountMissedTick(&run->Timers.ModemPollElapsed, kModemPollInterval,
                      ModemPollLimit(run->osClass))) {
    DecidePoll(run, kModemPollTimerId, false);
    EndModemPoll(run, kEndModemPollLimit);
  }
}

void ServicePollTick(Run* run) {
  ProgressStep(run->host, 2);
  if (DriverServiceRunning(run->host)) {
    DecidePoll(run, kServicePollTimerId, true);
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
  DecidePoll(run, kServicePollTimerId, false);
  StopCompletionTimer(run, kServicePollTimerId);
  run->ServiceWaitExpired = true;
  FinalCleanup(run);
  DebugMessage(run->host, "Timer expired!!", "Debug");
  EndServicePoll(run, false);
}

// Starts the timer and tells the wait; false when Windows gave no timer.
bool StartPoll(Host& host, CompletionTimerId timer, unsigned interval, unsigned limit) {
  RunEvent started = EventOf(kEventWaitStarted);
  started.timer = timer;
  started.interval = interval;
  started.limit = limit;
  started.found = host.system->StartTimer(timer, interval);
  TellListeners(host, started);
  return started.found;
}

}  // namespace

bool StartModemPollTimer(Run* run) {
  run->Timers.ModemPoll =
      StartPoll(run->host, kModemPollTimerId, kModemPollInterval, ModemPollLimit(run->osClass));
  return run->Timers.ModemPoll;
}

bool StartServicePollTimer(Run* run) {
  run->Timers.ServicePoll =
      StartPoll(run->host, kServicePollTimerId, kServicePollInterval, kServicePollLimit);
  return run->Timers.ServicePoll;
}

// A tick already queued when its poll ended finds the poll stopped and does
// nothing.
void OnCompletionTimer(Run* run, int timerId) {
  if (timerId == kModemPollTimerId && run->Timers.ModemPoll) ModemPollTick(run);
  if (timerId == kServicePollTimerId && run->Timers.ServicePoll) ServicePollTick(run);
}
