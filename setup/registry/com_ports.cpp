#include "com_ports.h"

#include <stdio.h>
#include <string.h>

void ClearPortNumbers(PortNumberTable* table) {
  for (bool& taken : table->Taken) taken = false;
  table->Taken[0] = true;
}

static bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

void MarkPortFromMapEntry(PortNumberTable* table, const char* data) {
  if (strlen(data) < 4) return;
  const char* p = data + 3;
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int number = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    number = number * 10 + (*p - '0');
    if (number >= PortNumberCount) return;  // stops before it can overflow
  }
  if (negative && number != 0) return;
  table->Taken[number] = true;
}

int LowestFreePort(const PortNumberTable* table) {
  for (int number = 1; number < PortNumberCount; ++number)
    if (!table->Taken[number]) return number;
  return 0;
}

void FormPortName(char* out, int number) { snprintf(out, PortNameSize, "COM%d", number); }
