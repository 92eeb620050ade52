// The run of setup: every record that a run decides and keeps from start-up
// until the process ends, created in the entry and handed down explicitly;
// the one choice of a run's ending and the one place that carries it out.
#ifndef SETUP_CONTROL_RUN_H
#define SETUP_CONTROL_RUN_H

#include "../base/host.h"
#include "../base/options.h"
#include "../base/paths.h"
#include "../base/platform.h"
#include "../registry/source_path.h"
#include "setup_libraries.h"

// Whether the run is complete as soon as RunSetup returns: NT 4.0, Windows
// 2000 when a hardware id was found, any class with CopyFilesOnly.
bool ImmediateFinish(OsClass osClass, bool win2KRefreshPending, bool copyFilesOnly);

// What RunSetup reports of a run.
enum SetupOutcome {
  kSetupNotStarted,  // the paths could not be computed: nothing was changed
  kSequenceFailed,   // the sequence stopped before it was done
  kSequenceDone,     // the sequence ran; a completion timer may go on with the run
};

// How a run ends, silent or interactive.
enum RunEnding {
  kEndWithSuccess,            // post the quit with 0
  kEndWithFailure,            // post the quit with -1
  kCleanUpAndEndWithFailure,  // FinalCleanup (once), then -1
  kOfferRestart,              // show the restart dialog; its buttons decide
  kWaitForEnding,             // a posted quit or a completion timer ends the run
};

struct RunEndState {
  bool Silent;
  bool WelcomeShown;          // interactive: the welcome dialog ran and was ended by OK or Cancel
  SetupOutcome Outcome;       // of RunSetup; interactive: only after OK
  bool QuitPending;           // a quit is posted (Cancel, the 98 family's remove-only run)
  bool ImmediateFinish;       // the run was complete when RunSetup returned
  bool TimerRunning;          // a completion timer will end the run
  bool ServiceRemovalFailed;  // NT 4.0: the earlier driver service stayed; nothing was installed
  OsClass osClass;
  bool ReBoot;
  bool CopyFilesOnly;
  bool Win2KRefreshPending;
};

// The one choice of an ending once RunSetup has returned (or the welcome
// dialog has ended). A run that could not start ends with -1, one whose
// sequence failed is cleaned up and ends with -1. A silent run that
// finished at once ends with 0, unless NT 4.0 could not remove the earlier
// service: then nothing was installed, and a silent caller must not take
// that for success. Interactively, NT 4.0 always offers the restart after a
// completed run; Windows 2000 (when it finished at once) and a copy-only
// run offer it with ReBoot. A welcome dialog that could not be shown ends
// with -1. A run that neither finished nor left anything running (a device
// refresh that did not start, an unknown platform) would wait forever: it
// is cleaned up and ends with -1.
RunEnding ChooseRunEnding(const RunEndState& state);

// Why the ending that ChooseRunEnding chose for the state ends the run: a
// run finished at once by its class or by CopyFilesOnly; one that could not
// start, whose welcome dialog could not be shown or whose earlier NT 4.0
// service stayed; the cause that the sequence gave when it stopped or left
// nothing running (sequenceStop; without one: it stopped); the restart
// dialog. None for an ending that waits.
RunEndReason ReasonOfEnding(RunEnding ending, const RunEndState& state, RunEndReason sequenceStop);

// The reason that a run's end carries once a change could not be made: the
// failed change, unless the run ended for a cause that says more (it did
// not start or could not do its work, or installed nothing).
RunEndReason ReasonWithFailedChange(RunEndReason reason, bool changeFailed);

// The exit code that the restart dialog's Cancel posts, and a failed
// restart request: 0 after a completed installation, -1 when the run did
// not install the driver (the warning text is shown).
int RestartDialogExitCode(bool runFailed);

// The windows of an interactive run, which its endings open, close and
// ask: the entry's dialogs under Windows. A run without them (null) is
// silent.
class RunScreens {
 public:
  virtual ~RunScreens() {}
  virtual void OpenProgress() = 0;
  // Destroys the progress dialog (hidden or not), if there is one.
  virtual void CloseProgress() = 0;
  // Hides the main window again after a modal dialog it owned.
  virtual void HideMainWindow() = 0;
  // Shows the restart dialog: the English warning when the driver was not
  // installed, the restart text otherwise. True when the restart was
  // requested.
  virtual bool AskRestart(bool notInstalled) = 0;
};

struct CompletionTimers {
  bool ModemPoll;  // false while the poll does not run
  bool ServicePoll;
  unsigned ModemPollElapsed;  // ms counted by ticks that found nothing
  unsigned ServicePollElapsed;
  bool ModemPollDecided;  // a tick found what the poll waits for, or reached its limit
  bool ServicePollDecided;
};

struct Run {
  Host host;
  RunScreens* Screens;
  OsClass osClass;  // kOsClassUnknown until classified
  CommandSwitches Switches;
  SetupOptions Options;  // all off and no log until read
  SetupPaths Paths;
  SourcePathSnapshot SourcePath;
  SetupLibraries Libraries;
  CompletionTimers Timers;
  bool Win2KRefreshPending;   // Windows 2000: installation continues under the service poll
  bool ServiceRemovalFailed;  // NT 4.0: the earlier driver service stayed; nothing was installed
  bool ServiceWaitExpired;    // Windows 2000: the driver service never ran; nothing was installed
  bool CleanupDone;           // FinalCleanup has run
  bool QuitPosted;            // an ending has posted the quit message
  RunEndReason SequenceStop;  // why the sequence stopped, or left nothing that would end the run
};

// The start of every run: one setup at a time, the platform class and the
// switches of the command line (which is upper-cased in place). False when
// another setup runs: this one must end at once, having changed nothing.
bool BeginRun(Run* run, char* commandLine);

// Stops a completion timer that runs, and tells the stop of a poll that no
// tick ended.
void StopCompletionTimer(Run* run, CompletionTimerId timer);

bool ImmediateFinish(const Run& run);

// Whether the run ended without installing the driver: the earlier service
// stayed (NT 4.0), or the new one never ran (Windows 2000).
bool RunFailed(const Run& run);

// Whether a completion timer is still running and will end the run.
bool CompletionTimerRunning(const Run& run);

// What the run leaves for the choice of its ending.
RunEndState EndStateOf(const Run& run, bool silent, bool welcomeShown, SetupOutcome outcome);

// Carries out an ending for its reason: the one place where a run posts
// its quit, whose parameter is the exit code, and tells its end. Every
// failure closes the progress dialog.
void CarryOutEnding(Run* run, RunEnding ending, RunEndReason reason);

// The modem poll's ending, on success and at the limit alike (the reason
// says which): the launch list runs and the run counts as complete. An
// interactive run closes its progress dialog and, with ReBoot, leaves the
// ending to the restart dialog's buttons.
void EndModemPoll(Run* run, RunEndReason reason);

// The service poll's ending, `installed` or not (the service never ran). On
// success an interactive run offers the restart (with ReBoot) while its
// progress dialog is still up, at the limit after closing it; the quit
// follows the dialog and carries the run's outcome.
void EndServicePoll(Run* run, bool installed);

// The one clean-up that every ending of a run calls: tells its start,
// makes the start-up directory current again, puts SourcePath back and
// unloads the setup libraries. Acts once, however many endings reach it;
// every call stops the completion timers.
void FinalCleanup(Run* run);

// Runs the platform's launch list, then records the CleanUpRegistry option
// ("Y" or "N") for later tools.
void RunLaunchListAndFlag(Run* run);

// The progress dialog of an interactive run, opened and closed.
void OpenProgress(Run* run);
void CloseProgress(Run* run);

#endif
