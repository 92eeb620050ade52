// Entry of setup: classifies the platform, reads the switches and takes the
// silent or the interactive start path. The exit code is the parameter of
// the quit message: 0 for success, -1 for failure.
#include <windows.h>
#include <commctrl.h>

#include "final_cleanup.h"
#include "main_window.h"
#include "running_platform.h"
#include "run_setup.h"
#include "run_state.h"
#include "silent_ending.h"

static int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  AppInstance = instance;
  LoadStringA(instance, 1, WelcomeText, TextBufferSize);
  LoadStringA(instance, 2, RestartText, TextBufferSize);
  LoadStringA(instance, 3, ProgressTitle, TextBufferSize);
  InitCommonControls();
  OsClass = ClassifyRunningPlatform();
  ParseCommandLine(commandLine, &Switches);
  RegisterMainWindowClass(instance);

  MainWindow = CreateMainWindow(instance);
  if (Switches.Silent) {
    EndSilentRun(RunSetup());
  } else {
    // The interactive face (welcome, progress and restart dialogs) is not
    // part of this build; without S setup ends at once and changes nothing.
    PostRunQuit(-1);
  }
  return RunMessageLoop();
}
