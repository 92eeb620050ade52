// Arithmetic of the 40-step progress bar.
#ifndef SETUP_BASE_PROGRESS_RULES_H
#define SETUP_BASE_PROGRESS_RULES_H

const unsigned kProgressFill = 110;       // the request that fills the bar to its end
const unsigned kProgressBarSteps = 40;    // range of the bar, one unit per step
const unsigned kProgressSaturation = 38;  // from here on only the fill moves the bar

// How many single steps a request of n sends at the given count: none once
// the count has reached 38 (except for the fill), the rest of the bar for
// the fill, else n itself.
unsigned ProgressStepsToSend(unsigned progressCount, unsigned n);

#endif
