#include "progress.h"

#include <commctrl.h>

namespace {

unsigned ProgressCount = 0;
HWND ProgressBar = nullptr;

}  // namespace

void AttachProgressBar(HWND bar) {
  ProgressBar = bar;
  SendMessageA(ProgressBar, PBM_SETRANGE, 0, MAKELPARAM(0, kProgressBarSteps));
  SendMessageA(ProgressBar, PBM_SETSTEP, 1, 0);
}

void DetachProgressBar() { ProgressBar = nullptr; }

void ProgressStep(unsigned n) {
  if (!ProgressBar) return;
  const unsigned steps = ProgressStepsToSend(ProgressCount, n);
  for (unsigned i = 0; i < steps; ++i) SendMessageA(ProgressBar, PBM_STEPIT, 0, 0);
  ProgressCount += steps;
}

unsigned ProgressStepsTaken() { return ProgressCount; }
