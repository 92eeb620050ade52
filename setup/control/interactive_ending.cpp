#include "interactive_ending.h"

#include "platform_class.h"

// The restart flags of the system's restart request.
static const unsigned RestartFlag = 0x2;  // EWX_REBOOT
static const unsigned ForceFlag = 0x4;    // EWX_FORCE

static bool OffersRestart(const InteractiveRunState& state) {
  return (state.ReBoot && state.OsClass == OsClassWin2000 && !state.Win2KRefreshPending) ||
         state.OsClass == OsClassNT4 || (state.ReBoot && state.CopyFilesOnly);
}

InteractiveEnding ChooseInteractiveEnding(const InteractiveRunState& state) {
  if (!state.WelcomeShown) return EndInteractiveWithFailure;
  if (state.QuitPending) return WaitForInteractiveEnding;
  if (OffersRestart(state)) return OfferRestart;
  if (state.ImmediateFinish) return EndInteractiveWithSuccess;
  if (state.TimerRunning) return WaitForInteractiveEnding;
  return CleanUpAndEndInteractive;
}

int RestartDialogExitCode(bool runFailed) { return runFailed ? -1 : 0; }

RestartRequest RestartRequestFor(unsigned char osClass) {
  if (IsWindows9xClass(osClass)) return {false, RestartFlag};
  return {true, RestartFlag | ForceFlag};
}
