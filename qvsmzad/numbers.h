// Number conversions of the country settings file and the byte order of
// the four-byte registry values.
#ifndef QVSMZAD_NUMBERS_H
#define QVSMZAD_NUMBERS_H

#include <cstddef>
#include <cstdint>

// Signed 32-bit conversion of the number at the start of `text`.
// Leading white space is skipped, then an optional sign. With `base` 0 the
// base follows the text ("0x"/"0X" hexadecimal, a leading "0" octal, else
// decimal); with `base` 10 the text is decimal. Conversion stops at the first
// character that is no digit of the base; no digit gives 0. Values beyond the
// range are clamped to 2147483647, or to -2147483648 when negative.
int32_t ConvertLong(const char* text, int base);

// How ConvertLong read a text: how many characters it took (white space and
// sign included, 0 when it found no digit), the base it used, and whether
// the value was clamped.
struct NumberReading {
  size_t length;
  int base;
  bool clamped;
};

// ConvertLong that also tells how it read the text.
int32_t ReadNumber(const char* text, int base, NumberReading* reading);

// Value of the hexadecimal digits at the start of `text`, without prefix and
// without sign; letters of either case; 32-bit arithmetic that wraps.
uint32_t ParseHex(const char* text);

// The four bytes of `value`, least significant first (the REG_DWORD order).
void StoreLittleEndian(uint32_t value, unsigned char bytes[4]);

#endif
