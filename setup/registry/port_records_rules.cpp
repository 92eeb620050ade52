#include "port_records_rules.h"

#include <string.h>

void ClearPortNumbers(PortNumberTable* table) {
  for (bool& taken : table->Taken) taken = false;
  table->Taken[0] = true;
}

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

void MarkPortFromMapEntry(PortNumberTable* table, const char* data) {
  if (strlen(data) < 4) return;
  const char* p = data + 3;
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int number = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    number = number * 10 + (*p - '0');
    if (number >= kPortNumberCount) return;  // stops before it can overflow
  }
  if (negative && number != 0) return;
  table->Taken[number] = true;
}

int LowestFreePort(const PortNumberTable* table) {
  for (int number = 1; number < kPortNumberCount; ++number)
    if (!table->Taken[number]) return number;
  return 0;
}

// Formatted by hand: the C runtime's formatter pulls in imports that
// Windows 95 lacks.
void FormPortName(char* out, int number) {
  char digits[12];  // the magnitude of any int, least significant digit first
  size_t count = 0;
  const unsigned bits = static_cast<unsigned>(number);
  unsigned magnitude = number < 0 ? 0u - bits : bits;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude > 0);
  size_t length = 0;
  const char* prefix = number < 0 ? "COM-" : "COM";
  for (; *prefix && length + 1 < kPortNameSize; ++prefix) out[length++] = *prefix;
  while (count > 0 && length + 1 < kPortNameSize) out[length++] = digits[--count];
  out[length] = '\0';
}
