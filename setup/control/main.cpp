// Entry of setup: creates the run on the Windows backend, classifies the
// platform, reads the switches and takes the silent or the interactive
// start path. The exit code is the parameter of the quit message: 0 for
// success, -1 for failure.
#include <windows.h>
#include <commctrl.h>

#include "../win32/win32_system.h"
#include "dialogs.h"
#include "run.h"
#include "sequences.h"
#include "timers.h"

namespace {

const char kMainWindowClass[] = "ModemClass";

// The run that the main window's procedure and its timers act on: the
// window carries it in its user data, set once by the entry.
Run* RunOfWindow(HWND mainWindow) {
  return reinterpret_cast<Run*>(GetWindowLongPtrA(mainWindow, GWLP_USERDATA));
}

// The completion timers are timers of this window: any message loop of the
// thread, the dialogs' modal ones too, dispatches their ticks here.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Run* run = RunOfWindow(window);
  if (message == WM_TIMER && run) {
    OnCompletionTimer(run, static_cast<int>(wParam));
    return 0;
  }
  // A run whose quit is posted has ended already: its exit code stands.
  if (message == WM_ENDSESSION && wParam && run && !run->QuitPosted) {
    // The session ends during a poll or a wait: SourcePath goes back before
    // Windows ends setup. The run can not go on (its libraries are gone),
    // and its end is not known: setup ends here with -1.
    FinalCleanup(run);
    CarryOutEnding(run, kEndWithFailure, kEndSessionEnded);
    run->host.system->EndProcess(-1);
  }
  if (message == WM_DESTROY && run) {
    FinalCleanup(run);  // stops the completion timers too
    CarryOutEnding(run, kEndWithSuccess, kEndMainWindowClosed);
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
int RunMessageLoop(const DialogScreens& screens) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    HWND progress = screens.ProgressDialog;
    if (progress && IsDialogMessageA(progress, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
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

// The main window, once the run may go on: the owner of the dialogs, whose
// user data carries the run and whose timers are the completion timers.
struct EntryWindows {
  Win32System* system;
  DialogScreens* screens;
  HINSTANCE instance;
};

void MakeEntryWindows(Run* run, void* context) {
  EntryWindows* windows = static_cast<EntryWindows*>(context);
  DialogScreens* screens = windows->screens;
  screens->osClass = run->osClass;
  screens->MainWindow = CreateMainWindow(windows->instance);
  windows->system->SetTimerWindow(screens->MainWindow);
  SetWindowLongPtrA(screens->MainWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(run));
}

void RunInteractive(Run* run, DialogScreens* screens) {
  InteractiveRun interactive = {run, kSetupNotStarted};
  const WelcomeAnswer answer = ShowWelcomeDialog(screens->Instance, screens->MainWindow,
                                                 screens->WelcomeText, InstallFromWelcome,
                                                 &interactive);
  if (answer == kWelcomeCancel) CarryOutEnding(run, kEndWithSuccess, kEndCancelled);
  screens->HideMainWindow();
  const RunEndState state =
      EndStateOf(*run, false, answer != kWelcomeNotShown, interactive.outcome);
  const RunEnding ending = ChooseRunEnding(state);
  CarryOutEnding(run, ending, ReasonOfEnding(ending, state, run->SequenceStop));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  Win32System system;
  // Set once for the whole run, before anything touches a drive: the saved
  // SourcePath's directory is probed and created, libraries are loaded.
  system.SuppressErrorBoxes();
  Run run = {};
  run.host.system = &system;
  DialogScreens screens(instance, &run.host);
  run.Screens = &screens;
  InitCommonControls();
  EntryWindows windows = {&system, &screens, instance};
  if (StartRun(&run, commandLine, MakeEntryWindows, &windows, nullptr))
    RunInteractive(&run, &screens);
  return RunMessageLoop(screens);
}
