#include "silent_ending.h"

SilentEnding ChooseSilentEnding(const SilentRunState& state) {
  if (state.RunResult == 0) return EndWithFailure;
  if (state.ImmediateFinish) return state.ServiceRemovalFailed ? EndWithFailure : EndWithSuccess;
  if (state.EndingPending) return WaitForEnding;
  return CleanUpAndEndWithFailure;
}
