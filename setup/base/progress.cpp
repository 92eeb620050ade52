#include "progress.h"

unsigned ProgressStepsToSend(unsigned progressCount, unsigned n) {
  if (progressCount >= kProgressSaturation && n != kProgressFill) return 0;
  if (n == kProgressFill)
    return progressCount < kProgressBarSteps ? kProgressBarSteps - progressCount : 0;
  return n;
}

void AttachProgressBar(Progress* progress, void (*stepBar)(void* bar), void* bar) {
  progress->StepBar = stepBar;
  progress->Bar = bar;
}

void DetachProgressBar(Progress* progress) {
  progress->StepBar = nullptr;
  progress->Bar = nullptr;
}

void ProgressStep(Host& host, unsigned n) {
  Progress& progress = host.progress;
  if (!progress.StepBar) return;
  const unsigned steps = ProgressStepsToSend(progress.Count, n);
  for (unsigned i = 0; i < steps; ++i) progress.StepBar(progress.Bar);
  progress.Count += steps;
}
