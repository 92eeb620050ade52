#include "time_stamp.h"

#include "numbers.h"

void TimeStampBytes(int64_t seconds, unsigned char bytes[4]) {
  const bool expressible = seconds >= 0 && seconds <= INT32_MAX;
  StoreLittleEndian(expressible ? static_cast<uint32_t>(seconds) : 0xFFFFFFFFu, bytes);
}
