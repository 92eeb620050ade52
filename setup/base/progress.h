// The 40-step progress bar of the progress dialog, which every operation of
// a run advances through its host.
#ifndef SETUP_BASE_PROGRESS_H
#define SETUP_BASE_PROGRESS_H

#include "host.h"

const unsigned kProgressFill = 110;       // the request that fills the bar to its end
const unsigned kProgressBarSteps = 40;    // range of the bar, one unit per step
const unsigned kProgressSaturation = 38;  // from here on only the fill moves the bar

// How many single steps a request of n sends at the given count: none once
// the count has reached 38 (except for the fill), the rest of the bar for
// the fill, else n itself.
unsigned ProgressStepsToSend(unsigned progressCount, unsigned n);

// The dialog's bar steps from now on (stepBar sends it one step); detaching
// stops that (the dialog is going).
void AttachProgressBar(Progress* progress, void (*stepBar)(void* bar), void* bar);
void DetachProgressBar(Progress* progress);

// Advances the bar by n steps; kProgressFill fills it. Does nothing at all
// while no bar is attached (silent mode).
void ProgressStep(Host& host, unsigned n);

#endif
