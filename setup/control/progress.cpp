#include "progress.h"

#include <commctrl.h>

#include "progress_steps.h"

unsigned ProgressCount = 0;
HWND ProgressBar = nullptr;

void ProgressStep(unsigned n) {
  if (!ProgressBar) return;
  const unsigned steps = ProgressStepsToSend(ProgressCount, n);
  for (unsigned i = 0; i < steps; ++i) SendMessageA(ProgressBar, PBM_STEPIT, 0, 0);
  ProgressCount += steps;
}
