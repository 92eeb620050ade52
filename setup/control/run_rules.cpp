#include "run_rules.h"

#include "../base/platform_rules.h"

namespace {

bool OffersRestart(const RunEndState& state) {
  return (state.ReBoot && state.osClass == kOsClassWin2000 && !state.Win2KRefreshPending) ||
         state.osClass == kOsClassNT4 || (state.ReBoot && state.CopyFilesOnly);
}

}  // namespace

bool ImmediateFinish(OsClass osClass, bool win2KRefreshPending, bool copyFilesOnly) {
  return (osClass == kOsClassWin2000 && !win2KRefreshPending) || osClass == kOsClassNT4 ||
         copyFilesOnly;
}

RunEnding ChooseRunEnding(const RunEndState& state) {
  if (!state.Silent && !state.WelcomeShown) return kEndWithFailure;
  if (!state.Silent && state.QuitPending) return kWaitForEnding;
  if (state.Outcome == kSetupNotStarted) return kEndWithFailure;
  if (state.Outcome == kSequenceFailed) return kCleanUpAndEndWithFailure;
  if (state.Silent) {
    if (state.ImmediateFinish)
      return state.ServiceRemovalFailed ? kEndWithFailure : kEndWithSuccess;
  } else {
    if (OffersRestart(state)) return kOfferRestart;
    if (state.ImmediateFinish) return kEndWithSuccess;
  }
  if (state.QuitPending || state.TimerRunning) return kWaitForEnding;
  return kCleanUpAndEndWithFailure;
}

int RestartDialogExitCode(bool runFailed) { return runFailed ? -1 : 0; }
