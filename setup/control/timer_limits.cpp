#include "timer_limits.h"

#include "platform_class.h"

unsigned ModemPollLimit(unsigned char osClass) {
  return ModemPollPeriod * (osClass == OsClassWin95 ? 3u : 2u);
}

bool CountMissedTick(unsigned* elapsed, unsigned interval, unsigned limit) {
  const unsigned room = ~0u - *elapsed;
  *elapsed += interval < room ? interval : room;
  return *elapsed >= limit;
}
