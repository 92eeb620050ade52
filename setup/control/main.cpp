// Entry of setup: classifies the platform, reads the switches and takes the
// silent or the interactive start path. The exit code is the parameter of
// the quit message: 0 for success, -1 for failure.
#include <windows.h>
#include <commctrl.h>

#include "../resources/resource_ids.h"
#include "completion_timers.h"
#include "final_cleanup.h"
#include "interactive_ending.h"
#include "main_window.h"
#include "options.h"
#include "progress_dialog.h"
#include "restart_dialog.h"
#include "running_platform.h"
#include "run_setup.h"
#include "run_state.h"
#include "silent_ending.h"
#include "welcome_dialog.h"

// Until the quit: the progress dialog's keys (Enter, Escape) go to it
// through the dialog manager, everything else is dispatched.
static int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (ProgressDialog && IsDialogMessageA(ProgressDialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

static void EndSilentRun(int runResult) {
  SilentRunState state;
  state.RunResult = runResult;
  state.ImmediateFinish = ImmediateFinish();
  state.ServiceRemovalFailed = ServiceRemovalFailed;
  state.EndingPending = RunEndingPending();
  switch (ChooseSilentEnding(state)) {
    case EndWithSuccess:
      PostRunQuit(0);
      break;
    case EndWithFailure:
      PostRunQuit(-1);
      break;
    case CleanUpAndEndWithFailure:
      // Nothing is left that would end the run: end it here rather than
      // wait forever.
      FinalCleanup();
      PostRunQuit(-1);
      break;
    case WaitForEnding:
      break;
  }
}

static void RunInteractive() {
  InteractiveRunState state;
  state.WelcomeShown = ShowWelcomeDialog();
  HideMainWindow();
  state.QuitPending = QuitPosted;
  state.ImmediateFinish = ImmediateFinish();
  state.TimerRunning = CompletionTimerRunning();
  state.OsClass = OsClass;
  state.ReBoot = SetupOptions.ReBoot;
  state.CopyFilesOnly = SetupOptions.CopyFilesOnly;
  state.Win2KRefreshPending = Win2KRefreshPending;
  switch (ChooseInteractiveEnding(state)) {
    case OfferRestart:
      ShowRestartDialog();
      HideMainWindow();
      break;
    case EndInteractiveWithSuccess:
      PostRunQuit(0);
      break;
    case EndInteractiveWithFailure:
      PostRunQuit(-1);
      break;
    case CleanUpAndEndInteractive:
      // Nothing is left that would end the run: end it here rather than
      // leave a hidden setup waiting forever.
      FinalCleanup();
      DestroyProgressDialog();
      PostRunQuit(-1);
      break;
    case WaitForInteractiveEnding:
      break;
  }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  AppInstance = instance;
  LoadStringA(instance, IDS_WELCOME, WelcomeText, TextBufferSize);
  LoadStringA(instance, IDS_RESTART, RestartText, TextBufferSize);
  LoadStringA(instance, IDS_PROGRESS, ProgressTitle, TextBufferSize);
  InitCommonControls();
  OsClass = ClassifyRunningPlatform();
  ParseCommandLine(commandLine, &Switches);
  RegisterMainWindowClass(instance);

  MainWindow = CreateMainWindow(instance);
  if (Switches.Silent)
    EndSilentRun(RunSetup());
  else
    RunInteractive();
  return RunMessageLoop();
}
