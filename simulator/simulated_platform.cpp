#include "simulated_platform.h"

#include <algorithm>

namespace {

const unsigned long kErrorBoxesSuppressed =
    0x8001;  // SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX

// Days since 1970-01-01 as a civil date (the proleptic Gregorian calendar).
void CivilDate(long long days, unsigned* year, unsigned* month, unsigned* day) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
  *day = static_cast<unsigned>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  *month = static_cast<unsigned>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  *year = static_cast<unsigned>(yearOfEra + era * 400 + (*month <= 2 ? 1 : 0));
}

void RemoveTimer(std::vector<RunningTimer>* timers, int id) {
  timers->erase(std::remove_if(timers->begin(), timers->end(),
                               [id](const RunningTimer& timer) { return timer.id == id; }),
                timers->end());
}

}  // namespace

SimulatedPlatform::SimulatedPlatform(SimulatedProcess* process)
    : process_(process), quitPosted_(false), exitCode_(0) {}

bool SimulatedPlatform::Version(PlatformVersion* version) {
  *version = VersionOfClass(process_->machine->osClass);
  return true;
}

bool SimulatedPlatform::IsAdministrator() { return process_->machine->administrator; }

bool SimulatedPlatform::HoldSetupMark() { return !process_->machine->anotherSetupRuns; }

void SimulatedPlatform::SuppressErrorBoxes() { process_->errorMode = kErrorBoxesSuppressed; }

bool SimulatedPlatform::ServiceRunning(const char* name) {
  const long long clock = process_->clock;
  bool running = false;
  for (const MachineService& service : process_->machine->services) {
    if (SameFileName(service.name, name) && service.runningFrom >= 0 &&
        service.runningFrom <= clock && (service.stoppedAt < 0 || clock < service.stoppedAt))
      running = true;
  }
  return running;
}

void SimulatedPlatform::LocalTime(ClockTime* time) {
  const long long milliseconds = process_->machine->startTime * 1000 + process_->clock;
  const long long seconds = milliseconds / 1000;
  const long long days = seconds / 86400;
  const long long inDay = seconds % 86400;
  CivilDate(days, &time->Year, &time->Month, &time->Day);
  time->Hour = static_cast<unsigned>(inDay / 3600);
  time->Minute = static_cast<unsigned>(inDay / 60 % 60);
  time->Second = static_cast<unsigned>(inDay % 60);
  time->Milliseconds = static_cast<unsigned>(milliseconds % 1000);
}

bool SimulatedPlatform::StartTimer(int id, unsigned intervalMs) {
  RemoveTimer(&timers_, id);
  timers_.push_back({id, intervalMs, process_->clock + intervalMs});
  return true;
}

void SimulatedPlatform::StopTimer(int id) { RemoveTimer(&timers_, id); }

void SimulatedPlatform::PostQuit(int exitCode) {
  quitPosted_ = true;
  exitCode_ = exitCode;
}

void SimulatedPlatform::EndProcess(int exitCode) { exitCode_ = exitCode; }

SystemStatus SimulatedPlatform::EnableShutdownPrivilege() { return kStatusSuccess; }

SystemStatus SimulatedPlatform::RequestRestart(unsigned) {
  return process_->machine->restartStatus;
}

void SimulatedPlatform::ShowMessage(const char*, const char*) {}

bool SimulatedPlatform::NextTick(long long* at) const {
  return Earliest(timers_, &RunningTimer::due, at);
}

int SimulatedPlatform::Tick() {
  RunningTimer* ticking = nullptr;
  for (RunningTimer& timer : timers_) {
    if (timer.due <= process_->clock && (ticking == nullptr || timer.due < ticking->due))
      ticking = &timer;
  }
  if (ticking == nullptr) return 0;
  ticking->due = process_->clock + ticking->interval;
  return ticking->id;
}
