// Intervals and time limits of the two completion timers.
#ifndef SETUP_CONTROL_TIMERS_RULES_H
#define SETUP_CONTROL_TIMERS_RULES_H

#include "../base/platform_rules.h"

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

#endif
