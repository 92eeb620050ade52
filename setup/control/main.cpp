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
    Run* run = RunOfWindow(window);
    FinalCleanup(run);  // kills the completion timers too
    CarryOutEnding(run, kEndWithSuccess);
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

// What the run leaves for the choice of its ending.
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

struct InteractiveRun {
  Run* run;
  SetupOutcome outcome;  // of the run that OK started
};

// The welcome dialog's OK: the whole run, under the progress dialog.
void InstallFromWelcome(void* context) {
  InteractiveRun* interactive = static_cast<InteractiveRun*>(context);
  Run* run = interactive->run;
  OpenProgress(run);
  interactive->outcome = RunSetup(run);
  if (interactive->outcome == kSequenceDone && ImmediateFinish(*run)) CloseProgress(run);
}

void RunInteractive(Run* run) {
  InteractiveRun interactive = {run, kSetupNotStarted};
  const WelcomeAnswer answer = ShowWelcomeDialog(run->Windows.Instance, run->Windows.MainWindow,
                                                 run->Windows.WelcomeText, InstallFromWelcome,
                                                 &interactive);
  if (answer == kWelcomeCancel) CarryOutEnding(run, kEndWithSuccess);
  HideMainWindow(*run);
  CarryOutEnding(run, ChooseRunEnding(EndStateOf(*run, false, answer != kWelcomeNotShown,
                                                 interactive.outcome)));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  // Set once for the whole run, before anything touches a drive: the saved
  // SourcePath's directory is probed and created, libraries are loaded.
  SuppressSystemErrorBoxes();
  Run run = {};
  run.Windows.Instance = instance;
  LoadStringA(instance, IDS_WELCOME, run.Windows.WelcomeText, kTextBufferSize);
  LoadStringA(instance, IDS_RESTART, run.Windows.RestartText, kTextBufferSize);
  LoadStringA(instance, IDS_PROGRESS, run.Windows.ProgressTitle, kTextBufferSize);
  InitCommonControls();
  run.osClass = ClassifyRunningPlatform();
  ParseCommandLine(commandLine, &run.Switches);
  run.Windows.MainWindow = CreateMainWindow(instance);
  AttachRun(run.Windows.MainWindow, &run);
  if (run.Switches.SilentMode)
    CarryOutEnding(&run, ChooseRunEnding(EndStateOf(run, true, false, RunSetup(&run))));
  else
    RunInteractive(&run);
  return RunMessageLoop(run);
}
