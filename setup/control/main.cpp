// Entry of setup: classifies the platform, reads the switches, creates the
// run and takes the silent or the interactive start path. The exit code is
// the parameter of the quit message: 0 for success, -1 for failure.
#include <windows.h>
#include <commctrl.h>

#include "../base/platform.h"
#include "../resources/resource_ids.h"
#include "dialogs.h"
#include "run.h"
#include "sequences.h"

namespace {

const char kMainWindowClass[] = "ModemClass";

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    Run* run = CallbackRun();
    FinalCleanup(run);  // kills the completion timers too
    PostRunQuit(run, 0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The hidden main window, titled "Modem", owner of every dialog.
HWND CreateMainWindow(HINSTANCE instance) {
  WNDCLASSA windowClass;
  ZeroMemory(&windowClass, sizeof windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWndProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kMainWindowClass;
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA(kMainWindowClass, "Modem", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              instance, nullptr);
  ShowWindow(window, SW_HIDE);
  UpdateWindow(window);
  return window;
}

// Until the quit: the progress dialog's keys (Enter, Escape) go to it
// through the dialog manager, everything else is dispatched.
int RunMessageLoop(const Run& run) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    HWND progress = run.Windows.ProgressDialog;
    if (progress && IsDialogMessageA(progress, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

void EndSilentRun(Run* run, bool runSucceeded) {
  SilentRunState state;
  state.RunSucceeded = runSucceeded;
  state.ImmediateFinish = ImmediateFinish(*run);
  state.ServiceRemovalFailed = run->ServiceRemovalFailed;
  state.EndingPending = RunEndingPending(*run);
  switch (ChooseSilentEnding(state)) {
    case kEndWithSuccess:
      PostRunQuit(run, 0);
      break;
    case kEndWithFailure:
      PostRunQuit(run, -1);
      break;
    case kCleanUpAndEndWithFailure:
      // Nothing is left that would end the run: end it here rather than
      // wait forever.
      FinalCleanup(run);
      PostRunQuit(run, -1);
      break;
    case kWaitForEnding:
      break;
  }
}

// The welcome dialog's OK: the whole run, under the progress dialog.
void InstallFromWelcome(void* context) {
  Run* run = static_cast<Run*>(context);
  OpenProgress(run);
  if (!RunSetup(run)) {
    // Nothing follows a failed run: no restart is offered.
    CloseProgress(run);
    PostRunQuit(run, -1);
    return;
  }
  if (ImmediateFinish(*run)) CloseProgress(run);
}

void RunInteractive(Run* run) {
  const WelcomeAnswer answer = ShowWelcomeDialog(run->Windows.Instance, run->Windows.MainWindow,
                                                 run->Windows.WelcomeText, InstallFromWelcome, run);
  if (answer == kWelcomeCancel) PostRunQuit(run, 0);
  HideMainWindow(*run);
  InteractiveRunState state;
  state.WelcomeShown = answer != kWelcomeNotShown;
  state.QuitPending = run->QuitPosted;
  state.ImmediateFinish = ImmediateFinish(*run);
  state.TimerRunning = CompletionTimerRunning(*run);
  state.osClass = run->osClass;
  state.ReBoot = run->Options.ReBoot;
  state.CopyFilesOnly = run->Options.CopyFilesOnly;
  state.Win2KRefreshPending = run->Win2KRefreshPending;
  switch (ChooseInteractiveEnding(state)) {
    case kOfferRestart:
      OfferRestart(run);
      break;
    case kEndInteractiveWithSuccess:
      PostRunQuit(run, 0);
      break;
    case kEndInteractiveWithFailure:
      PostRunQuit(run, -1);
      break;
    case kCleanUpAndEndInteractive:
      // Nothing is left that would end the run: end it here rather than
      // leave a hidden setup waiting forever.
      FinalCleanup(run);
      CloseProgress(run);
      PostRunQuit(run, -1);
      break;
    case kWaitForInteractiveEnding:
      break;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  // Set once for the whole run, before anything touches a drive: the saved
  // SourcePath's directory is probed and created, libraries are loaded.
  SuppressSystemErrorBoxes();
  Run run = {};
  SetCallbackRun(&run);
  run.Windows.Instance = instance;
  LoadStringA(instance, IDS_WELCOME, run.Windows.WelcomeText, kTextBufferSize);
  LoadStringA(instance, IDS_RESTART, run.Windows.RestartText, kTextBufferSize);
  LoadStringA(instance, IDS_PROGRESS, run.Windows.ProgressTitle, kTextBufferSize);
  InitCommonControls();
  run.osClass = ClassifyRunningPlatform();
  ParseCommandLine(commandLine, &run.Switches);
  run.Windows.MainWindow = CreateMainWindow(instance);
  if (run.Switches.SilentMode)
    EndSilentRun(&run, RunSetup(&run));
  else
    RunInteractive(&run);
  return RunMessageLoop(run);
}
