// The plan's steps as a listener of setup's own events on the simulated
// run: each event that changes or decides something is a step, with its
// result on the simulated machine; a copy or a program of a list entry
// carries the line of qvsetup.ini it comes from.
#ifndef QVLINT_PLAN_LISTENER_H
#define QVLINT_PLAN_LISTENER_H

#include <string>
#include <vector>

#include "base/events.h"
#include "base/platform.h"
#include "profile.h"

enum PlanStepKind {
  kStepCopy,
  kStepDelete,
  kStepRename,
  kStepMakeDirectory,
  kStepRegistrySet,
  kStepRegistryDeleteValue,
  kStepRegistryDeleteKey,
  kStepCall,
  kStepRun,
  kStepWait,
  kStepCheck,
  kStepEnd
};

// What a call step is.
enum PlanCall { kNoCall, kLoadCall, kBindCall, kEntryCall };

// One step of a plan: what setup's run does, and its result on the
// simulated machine, as the plan prints them and as facts to decide on.
struct PlanStep {
  PlanStepKind kind;
  std::string text;     // what the step does
  std::string result;   // its result: "ok", "not found", "1", "exit code 0", ...
  SystemStatus status;  // of the operation; of a program's start
  bool started;         // a program that started
  unsigned long exitCode;
  PlanCall call;
  bool failed;  // a copy that failed, a program that did not start or ended with non-zero
  // Per kind: copy and rename from and to; delete and mkdir path;
  // registry key, value and data (as REGEDIT4 writes it); call entry and
  // arguments; run path, command and directory; wait the completion
  // for what, and the completion timer's interval and limit in ms.
  std::string from, to, path, key, value, data, entry, arguments, command, directory, waitFor;
  unsigned interval, limit;
  long long waited;       // ms until the wait ended
  unsigned sourceLine;    // of the copy or launch list entry it comes from; 0: none
  unsigned sourceColumn;  // where the entry's value starts
  bool failsRun;          // a copy whose failure fails the run: its directory exists
};

// The words of the installation log for a status: "ok", "not found", ...
std::string StatusText(SystemStatus status);

class PlanListener : public RunListener {
 public:
  // `options` is the medium's qvsetup.ini, `osClass` the class of the run.
  PlanListener(const Profile* options, OsClass osClass);

  void Heard(Host& host, const RunEvent& event) override;

  const std::vector<PlanStep>& Steps() const { return steps_; }
  // The file of the driver set that the medium lacks; empty when none.
  const std::string& MissingMediumFile() const { return missingMediumFile_; }
  // The check before the first change that failed, what it failed for and
  // Windows' answer as the log says it; empty when none failed.
  const std::string& FailedCheck() const { return failedCheck_; }
  // The number of steps made before the run's clean-up began; npos when it
  // did not begin.
  size_t StepsBeforeCleanup() const { return stepsBeforeCleanup_; }
  // Why the run ended; none when it did not.
  RunEndReason EndReason() const { return endReason_; }

 private:
  PlanStep& Add(PlanStepKind kind, const std::string& text, SystemStatus status);
  void HeardFileEvent(const RunEvent& event);
  void HeardRegistryEvent(const RunEvent& event);
  void HeardCallEvent(const RunEvent& event);
  void HeardRunEvent(const RunEvent& event);
  void HeardWaitEvent(const RunEvent& event);
  void HeardCheckEvent(const RunEvent& event);
  void TakeListEntry(const char* sectionName, const char* key);

  const Profile* options_;
  OsClass osClass_;
  std::vector<PlanStep> steps_;
  const ProfileKey* listEntry_;            // the list entry being carried out
  bool copyList_;                          // of a copy list, else of a launch list
  std::string directory_;                  // the run's current directory
  std::string command_;                    // of the program started
  size_t waits_[kServicePollTimerId + 1];  // the step of each completion timer's wait
  std::string missingMediumFile_;
  std::string failedCheck_;
  size_t stepsBeforeCleanup_;
  RunEndReason endReason_;
};

// "3 s": milliseconds as the plan shows a time, in whole seconds.
std::string SecondsText(long long milliseconds);

#endif
