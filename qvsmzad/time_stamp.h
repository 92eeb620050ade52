// The "HomolTimeStamp" value: the time of the run.
#ifndef QVSMZAD_TIME_STAMP_H
#define QVSMZAD_TIME_STAMP_H

#include <cstdint>

// The four bytes stored for `seconds` since 1970-01-01 00:00:00 UTC, least
// significant first; FF FF FF FF when the time does not fit 32 signed bits
// (before 1970 or after 2038-01-19 03:14:07).
void TimeStampBytes(int64_t seconds, unsigned char bytes[4]);

#endif
