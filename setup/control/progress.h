// The progress bar of the progress dialog.
#pragma once
#include <windows.h>

extern unsigned ProgressCount;  // single steps sent to the bar so far
extern HWND ProgressBar;        // null until the progress dialog has made the bar

// Advances the bar by n steps; ProgressFill fills it. Does nothing at all
// while there is no bar (silent mode).
void ProgressStep(unsigned n);
