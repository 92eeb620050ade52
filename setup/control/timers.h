// The completion timers: where Windows finishes the device installation in
// the background, a thread timer (no window) polls for the result and ends
// the run, on success or at its time limit.
#ifndef SETUP_CONTROL_TIMERS_H
#define SETUP_CONTROL_TIMERS_H

#include "run.h"

// Windows 95 and the Windows 98 family: polls every 3000 ms for the
// installed modem's class record. False when Windows gave no timer.
bool StartModemPollTimer(Run* run);

// Windows 2000 after a device refresh: polls every 10000 ms for the running
// driver service. False when Windows gave no timer.
bool StartServicePollTimer(Run* run);

#endif
