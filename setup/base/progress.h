// The progress bar of the progress dialog, which every operation of a run
// advances. The bar and the count of steps sent to it belong to this unit
// alone: the dialog attaches its bar, everything else only steps.
#ifndef SETUP_BASE_PROGRESS_H
#define SETUP_BASE_PROGRESS_H

#include <windows.h>

#include "progress_rules.h"

// Sets the bar's range to kProgressBarSteps, its step to 1, and steps it from
// now on; DetachProgressBar stops that (the dialog is going).
void AttachProgressBar(HWND bar);
void DetachProgressBar();

// Advances the bar by n steps; kProgressFill fills it. Does nothing at all
// while no bar is attached (silent mode).
void ProgressStep(unsigned n);

// Single steps sent to the bar so far (ProgressCount).
unsigned ProgressStepsTaken();

#endif
