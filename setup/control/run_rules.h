// The decisions about how a run ends: whether it is complete when RunSetup
// returns, and what follows in silent and in interactive mode.
#ifndef SETUP_CONTROL_RUN_RULES_H
#define SETUP_CONTROL_RUN_RULES_H

#include "../base/platform_rules.h"

// Whether the run is complete as soon as RunSetup returns: NT 4.0, Windows
// 2000 when a hardware id was found, any class with CopyFilesOnly.
bool ImmediateFinish(OsClass osClass, bool win2KRefreshPending, bool copyFilesOnly);

enum SilentEnding {
  kEndWithSuccess,            // post the quit with 0
  kEndWithFailure,            // post the quit with -1
  kCleanUpAndEndWithFailure,  // nothing would end the run: FinalCleanup, then -1
  kWaitForEnding,             // a timer or an earlier quit ends the run
};

struct SilentRunState {
  bool RunSucceeded;          // what RunSetup returned
  bool ImmediateFinish;       // the run is complete when RunSetup returns
  bool ServiceRemovalFailed;  // NT 4.0: the earlier driver service stayed; nothing was installed
  bool EndingPending;         // a quit is posted or a completion timer runs
};

// A failed run ends with -1. A run that finished at once ends with 0,
// unless NT 4.0 could not remove the earlier service: then nothing was
// installed, and a silent caller must not take that for success. A run
// that neither finished nor left anything running (a library missing on
// the Windows 98 family, a device refresh that did not start) would wait
// forever: it is cleaned up and ends with -1.
SilentEnding ChooseSilentEnding(const SilentRunState& state);

enum InteractiveEnding {
  kOfferRestart,               // show the restart dialog; its buttons decide
  kEndInteractiveWithSuccess,  // post the quit with 0
  kEndInteractiveWithFailure,  // post the quit with -1
  kCleanUpAndEndInteractive,   // nothing would end the run: FinalCleanup, then -1
  kWaitForInteractiveEnding,   // a posted quit or a completion timer ends the run
};

struct InteractiveRunState {
  bool WelcomeShown;     // the welcome dialog ran and was ended by OK or Cancel
  bool QuitPending;      // Cancel or a failed run has posted the quit
  bool ImmediateFinish;  // the run was complete when RunSetup returned
  bool TimerRunning;     // a completion timer will end the run
  OsClass osClass;
  bool ReBoot;
  bool CopyFilesOnly;
  bool Win2KRefreshPending;
};

// A posted quit ends the run as posted. NT 4.0 always offers the restart
// after a completed run; Windows 2000 (when it finished at once) and a
// copy-only run offer it with ReBoot. A run that finished at once ends
// with 0. A welcome dialog that could not be shown, or a run that neither
// finished nor left a timer running (a setup library missing on the
// Windows 98 family, a device refresh that did not start, an unknown
// platform), would otherwise leave setup waiting for ever: they end with -1.
InteractiveEnding ChooseInteractiveEnding(const InteractiveRunState& state);

// The exit code that the restart dialog's Cancel posts, and a failed
// restart request: 0 after a completed installation, -1 when the run did
// not install the driver (the warning text is shown).
int RestartDialogExitCode(bool runFailed);

#endif
