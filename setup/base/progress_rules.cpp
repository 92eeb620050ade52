#include "progress_rules.h"

unsigned ProgressStepsToSend(unsigned progressCount, unsigned n) {
  if (progressCount >= kProgressSaturation && n != kProgressFill) return 0;
  if (n == kProgressFill)
    return progressCount < kProgressBarSteps ? kProgressBarSteps - progressCount : 0;
  return n;
}
