// RegistryLine: one content line of the Registry section, taken apart.
#ifndef QVSMZAD_REGISTRY_LINE_H
#define QVSMZAD_REGISTRY_LINE_H

#include "buffer_sizes.h"

// RegistryTypeCode: bit 0 set means byte data (REG_BINARY), clear a string
// (REG_SZ); bit 1 set means an existing value is left alone.
enum { kByteDataBit = 1, kKeepExistingBit = 2, kHighestTypeCode = 3 };

struct RegistryLine {
  bool deletion;               // delete the value; no type code or data
  int typeCode;                // 0 to 3, for a writing line
  char keyPath[kKeyPathSize];  // below HKEY_LOCAL_MACHINE
  char valueName[kValueNameSize];
  unsigned char data[kDataSize];  // the string with its terminator, or bytes
  unsigned dataSize;              // bytes to store: string length + 1, or 1 to 64
};

// Why a line is void, or kRegistryLineUsable.
enum RegistryLineFault {
  kRegistryLineUsable,
  kRootNotHklm,
  kKeyPathEmpty,
  kKeyPathTooLong,  // 50 characters or more
  kValueNameEmpty,
  kValueNameTooLong,    // 50 characters or more
  kTypeCodeOutOfRange,  // a writing line's type code is not 0 to 3
  kStringTooLong        // 64 characters or more
};

// Takes `line` apart into `out` and says whether it is void, and why; the
// first fault in field order counts.
RegistryLineFault CheckRegistryLine(const char* line, RegistryLine* out);

// Takes `line` apart into `out`. Returns false when the line is void: the
// root is not "HKLM"; the key path or value name is empty or does not fit
// its buffer (49 characters at most); a writing line's type code is not 0 to
// 3; a string does not fit the data buffer (63 characters at most).
bool ParseRegistryLine(const char* line, RegistryLine* out);

#endif
