#include "run.h"

#include "../base/log.h"
#include "../files/lists.h"
#include "../registry/driver_service.h"

namespace {

bool OffersRestart(const RunEndState& state) {
  return (state.ReBoot && state.osClass == kOsClassWin2000 && !state.Win2KRefreshPending) ||
         state.osClass == kOsClassNT4 || (state.ReBoot && state.CopyFilesOnly);
}

}  // namespace

bool ImmediateFinish(OsClass osClass, bool win2KRefreshPending, bool copyFilesOnly) {
  return (osClass == kOsClassWin2000 && !win2KRefreshPending) || osClass == kOsClassNT4 ||
         copyFilesOnly;
}

RunEnding ChooseRunEnding(const RunEndState& state) {
  if (!state.Silent && !state.WelcomeShown) return kEndWithFailure;
  if (!state.Silent && state.QuitPending) return kWaitForEnding;
  if (state.Outcome == kSetupNotStarted) return kEndWithFailure;
  if (state.Outcome == kSequenceFailed) return kCleanUpAndEndWithFailure;
  if (state.Silent) {
    if (state.ImmediateFinish)
      return state.ServiceRemovalFailed ? kEndWithFailure : kEndWithSuccess;
  } else {
    if (OffersRestart(state)) return kOfferRestart;
    if (state.ImmediateFinish) return kEndWithSuccess;
  }
  if (state.QuitPending || state.TimerRunning) return kWaitForEnding;
  return kCleanUpAndEndWithFailure;
}

RunEndReason ReasonOfEnding(RunEnding ending, const RunEndState& state, RunEndReason sequenceStop) {
  switch (ending) {
    case kEndWithSuccess:
      return state.CopyFilesOnly ? kEndCopyFilesOnly : kEndSequenceDone;
    case kEndWithFailure:
      if (!state.Silent && !state.WelcomeShown) return kEndWelcomeNotShown;
      if (state.Outcome != kSetupNotStarted) return kEndServiceNotRemoved;
      return sequenceStop != kEndReasonNone ? sequenceStop : kEndPathsNotFormed;
    case kCleanUpAndEndWithFailure:
      return sequenceStop != kEndReasonNone ? sequenceStop : kEndSequenceStopped;
    case kOfferRestart:
      return kEndRestartDialog;
    case kWaitForEnding:
      break;
  }
  return kEndReasonNone;
}

RunEndReason ReasonWithFailedChange(RunEndReason reason, bool changeFailed) {
  if (!changeFailed) return reason;
  switch (reason) {
    case kEndAnotherSetupRuns:
    case kEndPathsNotFormed:
    case kEndMediumIncomplete:
    case kEndPreflightFailed:
    case kEndLibraryNotLoaded:
    case kEndEntryMissing:
    case kEndServiceNotRemoved:
    case kEndServiceNeverRan:
    case kEndSessionEnded:
    case kEndWelcomeNotShown:
    case kEndLogNotOpened:
      return reason;
    default:
      return kEndChangeFailed;
  }
}

int RestartDialogExitCode(bool runFailed) { return runFailed ? -1 : 0; }

namespace {

void StopCompletionTimers(Run* run) {
  StopCompletionTimer(run, kModemPollTimerId);
  StopCompletionTimer(run, kServicePollTimerId);
}

// Ends the message loop with the given exit code and tells the end. The
// first ending posted is the run's: a later one would only tell a second
// end.
void PostRunQuit(Run* run, int exitCode, RunEndReason reason) {
  if (run->QuitPosted) return;
  // A change that could not be made (a file held open, a full disk, a
  // record refused) fails the run that went on to its end without it.
  if (exitCode == 0 && run->host.ChangeFailed) exitCode = -1;
  RunEvent ended = EventOf(kEventRunEnded);
  ended.number = exitCode;
  ended.reason = ReasonWithFailedChange(reason, run->host.ChangeFailed);
  TellListeners(run->host, ended);
  run->QuitPosted = true;
  run->host.system->PostQuit(exitCode);
}

// Shows the restart dialog. The run ends as the dialog's Cancel does, after
// a restart request too: Windows may still refuse to end the session when
// another program does, and setup must not wait for an end that never comes.
// A run that installed nothing ends for that.
void OfferRestart(Run* run) {
  run->Screens->AskRestart(run->ServiceRemovalFailed);
  const RunEndReason reason = run->ServiceRemovalFailed ? kEndServiceNotRemoved
                              : run->ServiceWaitExpired ? kEndServiceNeverRan
                                                        : kEndRestartDialog;
  PostRunQuit(run, RestartDialogExitCode(RunFailed(*run)), reason);
  run->Screens->HideMainWindow();
}

}  // namespace

bool BeginRun(Run* run, char* commandLine) {
  if (!run->host.system->HoldSetupMark()) return false;
  run->osClass = ClassifyRunningPlatform(*run->host.system);
  ParseCommandLine(commandLine, &run->Switches);
  return true;
}

void StopCompletionTimer(Run* run, CompletionTimerId timer) {
  CompletionTimers& timers = run->Timers;
  const bool modemPoll = timer == kModemPollTimerId;
  bool* running = modemPoll ? &timers.ModemPoll : &timers.ServicePoll;
  const bool decided = modemPoll ? timers.ModemPollDecided : timers.ServicePollDecided;
  if (*running) {
    run->host.system->StopTimer(timer);
    RunEvent stopped = EventOf(kEventWaitStopped);
    stopped.timer = timer;
    stopped.number =
        static_cast<long>(modemPoll ? timers.ModemPollElapsed : timers.ServicePollElapsed);
    if (!decided) TellListeners(run->host, stopped);
  }
  *running = false;
}

bool ImmediateFinish(const Run& run) {
  return ImmediateFinish(run.osClass, run.Win2KRefreshPending, run.Options.CopyFilesOnly);
}

bool RunFailed(const Run& run) { return run.ServiceRemovalFailed || run.ServiceWaitExpired; }

bool CompletionTimerRunning(const Run& run) {
  return run.Timers.ModemPoll || run.Timers.ServicePoll;
}

RunEndState EndStateOf(const Run& run, bool silent, bool welcomeShown, SetupOutcome outcome) {
  RunEndState state;
  state.Silent = silent;
  state.WelcomeShown = welcomeShown;
  state.Outcome = outcome;
  state.QuitPending = run.QuitPosted;
  state.ImmediateFinish = ImmediateFinish(run);
  state.TimerRunning = CompletionTimerRunning(run);
  state.ServiceRemovalFailed = run.ServiceRemovalFailed;
  state.osClass = run.osClass;
  state.ReBoot = run.Options.ReBoot;
  state.CopyFilesOnly = run.Options.CopyFilesOnly;
  state.Win2KRefreshPending = run.Win2KRefreshPending;
  return state;
}

void FinalCleanup(Run* run) {
  // A run that has ended leaves no completion timer behind: a later tick
  // would end it a second time (a second restart dialog inside the first).
  StopCompletionTimers(run);
  if (run->CleanupDone) return;
  TellListeners(run->host, EventOf(kEventCleanupBegins));
  if (run->Paths.StartDir[0] && run->host.system->ChangeDirectory(run->Paths.StartDir)) {
    RunEvent changed = EventOf(kEventDirectoryChanged);
    changed.path = run->Paths.StartDir;
    TellListeners(run->host, changed);
  }
  RestoreSetupSourcePath(run->host, run->Paths.SavedSourcePath, run->SourcePath);
  UnloadSetupLibraries(run->host, &run->Libraries);
  run->CleanupDone = true;
}

void RunLaunchListAndFlag(Run* run) {
  RunLaunchList(run->host, run->Paths, run->osClass);
  WriteCleanUpFlag(run->host, run->Options.CleanUpRegistry ? "Y" : "N");
}

void OpenProgress(Run* run) {
  if (run->Screens) run->Screens->OpenProgress();
}

void CloseProgress(Run* run) {
  if (run->Screens) run->Screens->CloseProgress();
}

void CarryOutEnding(Run* run, RunEnding ending, RunEndReason reason) {
  switch (ending) {
    case kEndWithSuccess:
      PostRunQuit(run, 0, reason);
      break;
    case kEndWithFailure:
      CloseProgress(run);
      PostRunQuit(run, -1, reason);
      break;
    case kCleanUpAndEndWithFailure:
      // Nothing is left that would end the run: end it here rather than
      // leave setup waiting forever.
      FinalCleanup(run);
      CloseProgress(run);
      PostRunQuit(run, -1, reason);
      break;
    case kOfferRestart:
      OfferRestart(run);
      break;
    case kWaitForEnding:
      break;
  }
}

void EndModemPoll(Run* run, RunEndReason reason) {
  RunLaunchListAndFlag(run);
  FinalCleanup(run);
  if (run->Switches.SilentMode || !run->Screens) {
    PostRunQuit(run, 0, reason);
    return;
  }
  CloseProgress(run);
  if (run->Options.ReBoot)
    OfferRestart(run);
  else
    PostRunQuit(run, 0, reason);
}

void EndServicePoll(Run* run, bool installed) {
  const int exitCode = installed ? 0 : -1;
  const RunEndReason reason = installed ? kEndServiceRuns : kEndServiceNeverRan;
  if (run->Switches.SilentMode || !run->Screens) {
    PostRunQuit(run, exitCode, reason);
    return;
  }
  if (installed) {
    DebugMessage(run->host, "Before Destroywindow", "Debug");
    if (run->Options.ReBoot) OfferRestart(run);
    CloseProgress(run);
  } else {
    CloseProgress(run);
    if (run->Options.ReBoot) OfferRestart(run);
  }
  PostRunQuit(run, exitCode, reason);
}
