// The run of setup: every record that a run decides and keeps from start-up
// until the process ends, created in the entry and handed down explicitly,
// and the steps that every ending of a run shares.
#ifndef SETUP_CONTROL_RUN_H
#define SETUP_CONTROL_RUN_H

#include <windows.h>

#include "../base/options_rules.h"
#include "../base/paths.h"
#include "../registry/source_path.h"
#include "dialogs_rules.h"
#include "run_rules.h"
#include "setup_libraries.h"

struct RunWindows {
  HINSTANCE Instance;
  HWND MainWindow;      // hidden owner of every dialog
  HWND ProgressDialog;  // null until created and again once destroyed
  char WelcomeText[kTextBufferSize];
  char RestartText[kTextBufferSize];
  char ProgressTitle[kTextBufferSize];
};

struct CompletionTimers {
  UINT_PTR ModemPoll;  // 0 while the poll does not run
  UINT_PTR ServicePoll;
  unsigned ModemPollElapsed;  // ms counted by ticks that found nothing
  unsigned ServicePollElapsed;
};

struct Run {
  OsClass osClass;  // kOsClassUnknown until classified
  CommandSwitches Switches;
  SetupOptions Options;  // all off and no log until read
  SetupPaths Paths;
  SourcePathSnapshot SourcePath;
  SetupLibraries Libraries;
  RunWindows Windows;
  CompletionTimers Timers;
  bool Win2KRefreshPending;   // Windows 2000: installation continues under the service poll
  bool ServiceRemovalFailed;  // NT 4.0: the earlier driver service stayed; nothing was installed
  bool ServiceWaitExpired;    // Windows 2000: the driver service never ran; nothing was installed
  bool CleanupDone;           // FinalCleanup has run
  bool QuitPosted;            // an ending has posted the quit message
};

// The run that the main window's procedure and its timers act on: the
// window carries it in its user data, set once by the entry.
void AttachRun(HWND mainWindow, Run* run);
Run* RunOfWindow(HWND mainWindow);

// The completion timers are timers of the main window with these ids.
enum CompletionTimerId { kModemPollTimerId = 1, kServicePollTimerId = 2 };

// Kills a completion timer that runs and forgets it.
void KillCompletionTimer(const Run& run, UINT_PTR* timer);

bool ImmediateFinish(const Run& run);

// Whether the run ended without installing the driver: the earlier service
// stayed (NT 4.0), or the new one never ran (Windows 2000).
bool RunFailed(const Run& run);

// Whether a completion timer is still running and will end the run.
bool CompletionTimerRunning(const Run& run);

// Whether something is still going to end the run: a posted quit or a
// running completion timer.
bool RunEndingPending(const Run& run);

// Carries out an ending: the one place where a run posts its quit, whose
// parameter is the exit code. Every failure closes the progress dialog.
void CarryOutEnding(Run* run, RunEnding ending);

// The modem poll's ending, on success and at the limit alike: the launch
// list runs and the run counts as complete. An interactive run closes its
// progress dialog and, with ReBoot, leaves the ending to the restart
// dialog's buttons.
void EndModemPoll(Run* run);

// The service poll's ending, `installed` or not (the service never ran). On
// success an interactive run offers the restart (with ReBoot) while its
// progress dialog is still up, at the limit after closing it; the quit
// follows the dialog and carries the run's outcome.
void EndServicePoll(Run* run, bool installed);

// The one clean-up that every ending of a run calls: makes the start-up
// directory current again, puts SourcePath back and unloads the setup
// libraries. Acts once, however many endings reach it; every call kills
// the completion timers.
void FinalCleanup(Run* run);

// Runs the platform's launch list, then records the CleanUpRegistry option
// ("Y" or "N") for later tools.
void RunLaunchListAndFlag(const Run& run);

// Hides the main window again after a modal dialog it owned, and updates it.
void HideMainWindow(const Run& run);

// Shows the progress dialog, owned by the main window.
void OpenProgress(Run* run);

// Destroys the progress dialog (hidden or not), and forgets it and its bar.
void CloseProgress(Run* run);

// Shows the restart dialog: the English warning when NT 4.0 kept the earlier
// service, the restart text otherwise. Unless the restart was requested, the
// run ends as the dialog's Cancel does.
void OfferRestart(Run* run);

#endif
