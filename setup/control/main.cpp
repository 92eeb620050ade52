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

static int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

// Where RunSetup left nothing that will end the run (no timer, no posted
// quit), the run ends here as a failure instead of waiting forever.
static void EndSilentRun(int runResult) {
  if (runResult == 0)
    PostRunQuit(-1);
  else if (ImmediateFinish())
    PostRunQuit(0);
  else if (!RunEndingPending()) {
    FinalCleanup();
    PostRunQuit(-1);
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
