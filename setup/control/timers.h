// The completion timers: where Windows finishes the device installation in
// the background, a timer of the main window polls for the result and ends
// the run, on success or at its time limit. Any message loop of the thread
// dispatches its ticks, the modal ones of the dialogs too.
#ifndef SETUP_CONTROL_TIMERS_H
#define SETUP_CONTROL_TIMERS_H

#include "run.h"

const unsigned kModemPollInterval = 3000;     // ms between looks for the modem's class record
const unsigned kModemPollPeriod = 90000;      // the limit is a number of these periods
const unsigned kServicePollInterval = 10000;  // ms between looks at the driver service
const unsigned kServicePollLimit = 320000;    // ms until the service poll gives up

// How long the modem poll waits: three periods (270 s) on Windows 95, whose
// device program finishes slowest, two (180 s) on every other class.
unsigned ModemPollLimit(OsClass osClass);

// Counts one tick that did not find what the timer waits for: adds the
// interval to *elapsed. True when *elapsed has reached the limit; the
// counter never wraps past its maximum.
bool CountMissedTick(unsigned* elapsed, unsigned interval, unsigned limit);

// Windows 95 and the Windows 98 family: polls every 3000 ms for the
// installed modem's class record. False when Windows gave no timer.
bool StartModemPollTimer(Run* run);

// Windows 2000 after a device refresh: polls every 10000 ms for the running
// driver service. False when Windows gave no timer.
bool StartServicePollTimer(Run* run);

// One tick of the completion timer with this id.
void OnCompletionTimer(Run* run, int timerId);

#endif
