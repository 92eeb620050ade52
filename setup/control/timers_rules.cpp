#include "timers_rules.h"

#include "../base/platform_rules.h"

unsigned ModemPollLimit(OsClass osClass) {
  return kModemPollPeriod * (osClass == kOsClassWin95 ? 3u : 2u);
}

bool CountMissedTick(unsigned* elapsed, unsigned interval, unsigned limit) {
  const unsigned room = ~0u - *elapsed;
  *elapsed += interval < room ? interval : room;
  return *elapsed >= limit;
}
