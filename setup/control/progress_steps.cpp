#include "progress_steps.h"

unsigned ProgressStepsToSend(unsigned progressCount, unsigned n) {
  if (progressCount >= ProgressSaturation && n != ProgressFill) return 0;
  if (n == ProgressFill) return progressCount < ProgressBarSteps ? ProgressBarSteps - progressCount : 0;
  return n;
}
