// The COM port numbers that the serial port map claims, and the lowest free
// one, for the NT 4.0 modem's port.
#ifndef SETUP_REGISTRY_PORT_RECORDS_RULES_H
#define SETUP_REGISTRY_PORT_RECORDS_RULES_H

#include <stddef.h>

const int kPortNumberCount = 100;  // numbers 0 to 99; 0 is never chosen
const size_t kPortNameSize = 64;

struct PortNumberTable {
  bool Taken[kPortNumberCount];
};

// Clears every flag, then marks number 0 as taken.
void ClearPortNumbers(PortNumberTable* table);

// Marks the number that a map entry's data (a port name such as COM3)
// carries from its fourth character on: leading blanks and a sign are
// accepted, reading stops at the first non-digit, no digits give 0. Data
// shorter than four characters, or a number outside 0 to 99, marks nothing.
void MarkPortFromMapEntry(PortNumberTable* table, const char* data);

// The lowest number from 1 to 99 that is not taken; 0 when all are.
int LowestFreePort(const PortNumberTable* table);

// out = "COM" + number in decimal; out holds kPortNameSize bytes.
void FormPortName(char* out, int number);

#endif
