#include "numbers.h"

#include "text.h"

namespace {

// Value of `c` as a digit of `base` (8, 10 or 16), or -1.
int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9')
    value = c - '0';
  else if (c >= 'a' && c <= 'f')
    value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    value = c - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

int32_t ConvertLong(const char* text, int base) {
  NumberReading reading;
  return ReadNumber(text, base, &reading);
}

int32_t ReadNumber(const char* text, int base, NumberReading* reading) {
  const char* p = text;
  while (IsWhiteSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  if (base == 0) {
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && DigitValue(p[2], 16) >= 0) {
      base = 16;
      p += 2;
    } else if (p[0] == '0') {
      base = 8;
    } else {
      base = 10;
    }
  }
  // The magnitude saturates at the limit of its sign; the product of the
  // limit and the base still fits in 64 bits, so no digit string overflows.
  const uint32_t limit = negative ? 2147483648u : 2147483647u;
  uint32_t magnitude = 0;
  const char* digits = p;
  reading->clamped = false;
  for (int digit; (digit = DigitValue(*p, base)) >= 0; ++p) {
    const uint64_t next = static_cast<uint64_t>(magnitude) * base + digit;
    if (next > limit) reading->clamped = true;
    magnitude = next > limit ? limit : static_cast<uint32_t>(next);
  }
  // Without a digit nothing counts as read, not even the white space or sign.
  reading->length = p == digits ? 0 : static_cast<size_t>(p - text);
  reading->base = base;
  if (!negative) return static_cast<int32_t>(magnitude);
  return magnitude == 2147483648u ? INT32_MIN : -static_cast<int32_t>(magnitude);
}

uint32_t ParseHex(const char* text) {
  uint32_t value = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    char c = *p;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      break;  // not a letter or digit, or a letter after F
    value = value * 16u + static_cast<uint32_t>(digit);
  }
  return value;
}

void StoreLittleEndian(uint32_t value, unsigned char bytes[4]) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}
