#include "run_state.h"

#include "completion_timers.h"
#include "install_log.h"
#include "options.h"
#include "platform_class.h"

unsigned char OsClass = OsClassUnknown;
CommandSwitches Switches = {false, false, false};
HINSTANCE AppInstance = nullptr;
HWND MainWindow = nullptr;
char WelcomeText[TextBufferSize];
char RestartText[TextBufferSize];
char ProgressTitle[TextBufferSize];

HMODULE Library1 = nullptr;
HMODULE Library2 = nullptr;
bool Win2KRefreshPending = false;
bool ServiceRemovalFailed = false;
bool ServiceWaitExpired = false;
bool CleanupDone = false;
bool QuitPosted = false;

bool ImmediateFinish() {
  return (OsClass == OsClassWin2000 && !Win2KRefreshPending) || OsClass == OsClassNT4 ||
         SetupOptions.CopyFilesOnly;
}

bool RunFailed() { return ServiceRemovalFailed || ServiceWaitExpired; }

void PostRunQuit(int exitCode) {
  LogRunEnd(exitCode);
  QuitPosted = true;
  PostQuitMessage(exitCode);
}

bool RunEndingPending() { return QuitPosted || CompletionTimerRunning(); }
