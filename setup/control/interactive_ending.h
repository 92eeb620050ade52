// How an interactive run goes on once the welcome dialog has returned, and
// how setup asks Windows for the restart.
#pragma once

enum InteractiveEnding {
  OfferRestart,                 // show the restart dialog; its buttons decide
  EndInteractiveWithSuccess,    // post the quit with 0
  EndInteractiveWithFailure,    // post the quit with -1
  CleanUpAndEndInteractive,     // nothing would end the run: FinalCleanup, then -1
  WaitForInteractiveEnding,     // a posted quit or a completion timer ends the run
};

struct InteractiveRunState {
  bool WelcomeShown;         // the welcome dialog ran and was ended by OK or Cancel
  bool QuitPending;          // Cancel or a failed run has posted the quit
  bool ImmediateFinish;      // the run was complete when RunSetup returned
  bool TimerRunning;         // a completion timer will end the run
  unsigned char OsClass;
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

struct RestartRequest {
  bool EnableShutdownPrivilege;  // NT needs the privilege to restart
  unsigned Flags;                // flags for the restart request
};

// Windows 95, 98 and ME restart with EWX_REBOOT; NT 4.0, Windows 2000 and
// any platform setup does not know (all of them NT) enable the shutdown
// privilege and force the restart (EWX_REBOOT | EWX_FORCE).
RestartRequest RestartRequestFor(unsigned char osClass);
