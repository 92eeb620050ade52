#include "run_rules.h"

#include "../base/platform_rules.h"

namespace {

bool OffersRestart(const InteractiveRunState& state) {
  return (state.ReBoot && state.osClass == kOsClassWin2000 && !state.Win2KRefreshPending) ||
         state.osClass == kOsClassNT4 || (state.ReBoot && state.CopyFilesOnly);
}

}  // namespace

bool ImmediateFinish(OsClass osClass, bool win2KRefreshPending, bool copyFilesOnly) {
  return (osClass == kOsClassWin2000 && !win2KRefreshPending) || osClass == kOsClassNT4 ||
         copyFilesOnly;
}

SilentEnding ChooseSilentEnding(const SilentRunState& state) {
  if (!state.RunSucceeded) return kEndWithFailure;
  if (state.ImmediateFinish) return state.ServiceRemovalFailed ? kEndWithFailure : kEndWithSuccess;
  if (state.EndingPending) return kWaitForEnding;
  return kCleanUpAndEndWithFailure;
}

InteractiveEnding ChooseInteractiveEnding(const InteractiveRunState& state) {
  if (!state.WelcomeShown) return kEndInteractiveWithFailure;
  if (state.QuitPending) return kWaitForInteractiveEnding;
  if (OffersRestart(state)) return kOfferRestart;
  if (state.ImmediateFinish) return kEndInteractiveWithSuccess;
  if (state.TimerRunning) return kWaitForInteractiveEnding;
  return kCleanUpAndEndInteractive;
}

int RestartDialogExitCode(bool runFailed) { return runFailed ? -1 : 0; }
