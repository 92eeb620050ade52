#include "run.h"

#include "../base/log.h"
#include "../files/lists.h"
#include "../registry/driver_service.h"
#include "dialogs.h"

namespace {

void KillCompletionTimers(Run* run) {
  KillCompletionTimer(*run, &run->Timers.ModemPoll);
  KillCompletionTimer(*run, &run->Timers.ServicePoll);
}

// Ends the message loop with the given exit code.
void PostRunQuit(Run* run, int exitCode) {
  LogRunEnd(exitCode);
  run->QuitPosted = true;
  PostQuitMessage(exitCode);
}

}  // namespace

void KillCompletionTimer(const Run& run, UINT_PTR* timer) {
  if (*timer) KillTimer(run.Windows.MainWindow, *timer);
  *timer = 0;
}

void AttachRun(HWND mainWindow, Run* run) {
  SetWindowLongPtrA(mainWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(run));
}

Run* RunOfWindow(HWND mainWindow) {
  return reinterpret_cast<Run*>(GetWindowLongPtrA(mainWindow, GWLP_USERDATA));
}

bool ImmediateFinish(const Run& run) {
  return ImmediateFinish(run.osClass, run.Win2KRefreshPending, run.Options.CopyFilesOnly);
}

bool RunFailed(const Run& run) { return run.ServiceRemovalFailed || run.ServiceWaitExpired; }

bool CompletionTimerRunning(const Run& run) {
  return run.Timers.ModemPoll != 0 || run.Timers.ServicePoll != 0;
}

bool RunEndingPending(const Run& run) { return run.QuitPosted || CompletionTimerRunning(run); }

void FinalCleanup(Run* run) {
  // A run that has ended leaves no completion timer behind: a later tick
  // would end it a second time (a second restart dialog inside the first).
  KillCompletionTimers(run);
  if (run->CleanupDone) return;
  if (run->Paths.StartDir[0]) SetCurrentDirectoryA(run->Paths.StartDir);
  RestoreSetupSourcePath(run->Paths.SavedSourcePath, run->SourcePath);
  UnloadSetupLibraries(&run->Libraries);
  run->CleanupDone = true;
}

void RunLaunchListAndFlag(const Run& run) {
  RunLaunchList(run.Paths, run.osClass);
  WriteCleanUpFlag(run.Options.CleanUpRegistry ? "Y" : "N");
}

void HideMainWindow(const Run& run) {
  ShowWindow(run.Windows.MainWindow, SW_HIDE);
  UpdateWindow(run.Windows.MainWindow);
}

void OpenProgress(Run* run) {
  run->Windows.ProgressDialog = CreateProgressDialog(run->Windows.Instance, run->Windows.MainWindow,
                                                     run->Windows.ProgressTitle);
}

void CloseProgress(Run* run) { DestroyProgressDialog(&run->Windows.ProgressDialog); }

void OfferRestart(Run* run) {
  const char* text = run->ServiceRemovalFailed ? kNotInstalledText : run->Windows.RestartText;
  if (!ShowRestartDialog(run->Windows.Instance, run->Windows.MainWindow, text, run->osClass))
    PostRunQuit(run, RestartDialogExitCode(RunFailed(*run)));
  HideMainWindow(*run);
}

void CarryOutEnding(Run* run, RunEnding ending) {
  switch (ending) {
    case kEndWithSuccess:
      PostRunQuit(run, 0);
      break;
    case kEndWithFailure:
      CloseProgress(run);
      PostRunQuit(run, -1);
      break;
    case kCleanUpAndEndWithFailure:
      // Nothing is left that would end the run: end it here rather than
      // leave setup waiting forever.
      FinalCleanup(run);
      CloseProgress(run);
      PostRunQuit(run, -1);
      break;
    case kOfferRestart:
      OfferRestart(run);
      break;
    case kWaitForEnding:
      break;
  }
}

void EndModemPoll(Run* run) {
  RunLaunchListAndFlag(*run);
  FinalCleanup(run);
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

void EndServicePoll(Run* run, bool installed) {
  const int exitCode = installed ? 0 : -1;
  if (run->Switches.SilentMode) {
    PostRunQuit(run, exitCode);
    return;
  }
  if (installed) {
    DebugMessage(nullptr, "Before Destroywindow", "Debug", 0);
    if (run->Options.ReBoot) OfferRestart(run);
    CloseProgress(run);
  } else {
    CloseProgress(run);
    if (run->Options.ReBoot) OfferRestart(run);
  }
  PostRunQuit(run, exitCode);
}
