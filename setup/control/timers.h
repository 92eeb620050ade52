// The completion timers: where Windows finishes the device installation in
// the background, a timer of the main window polls for the result and ends
// the run, on success or at its time limit. Any message loop of the thread
// dispatches its ticks, the modal ones of the dialogs too.
#ifndef SETUP_CONTROL_TIMERS_H
#define SETUP_CONTROL_TIMERS_H

#include "run.h"

// Windows 95 and the Windows 98 family: polls every 3000 ms for the
// installed modem's class record. False when Windows gave no timer (or
// there is no main window).
bool StartModemPollTimer(Run* run);

// Windows 2000 after a device refresh: polls every 10000 ms for the running
// driver service. False when Windows gave no timer (or there is no main
// window).
bool StartServicePollTimer(Run* run);

#endif
