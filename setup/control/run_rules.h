// The decisions about how a run ends: whether it is complete when RunSetup
// returns, and the one choice of what follows, silent or interactive.
#ifndef SETUP_CONTROL_RUN_RULES_H
#define SETUP_CONTROL_RUN_RULES_H

#include "../base/platform_rules.h"

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

// The exit code that the restart dialog's Cancel posts, and a failed
// restart request: 0 after a completed installation, -1 when the run did
// not install the driver (the warning text is shown).
int RestartDialogExitCode(bool runFailed);

#endif
