// How a silent run ends once RunSetup has returned.
#pragma once

enum SilentEnding {
  EndWithSuccess,            // post the quit with 0
  EndWithFailure,            // post the quit with -1
  CleanUpAndEndWithFailure,  // nothing would end the run: FinalCleanup, then -1
  WaitForEnding,             // a timer or an earlier quit ends the run
};

struct SilentRunState {
  int RunResult;              // what RunSetup returned
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
