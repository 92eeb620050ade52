#include "registry_line.h"

#include <cstring>

#include "numbers.h"
#include "read_field.h"
#include "text.h"

namespace {

// Fields are read from a cursor that advances by what ReadField returns.
struct FieldCursor {
  const char* line;
  int offset;
  bool atLastField;  // the field just read was not followed by a comma
};

void NextField(FieldCursor* cursor, char* field, size_t capacity) {
  const int step = ReadField(cursor->line + cursor->offset, field, capacity);
  cursor->offset += step;
  cursor->atLastField = step == 0;
}

void ParseByteData(FieldCursor* cursor, RegistryLine* out) {
  char field[kFieldSize];
  out->dataSize = 0;
  do {
    NextField(cursor, field, sizeof field);
    out->data[out->dataSize++] = static_cast<unsigned char>(ParseHex(field) & 0xFF);
  } while (!cursor->atLastField && out->dataSize < kDataSize);
}

bool ParseStringData(FieldCursor* cursor, RegistryLine* out) {
  char field[kFieldSize];
  NextField(cursor, field, sizeof field);
  char* text = reinterpret_cast<char*>(out->data);
  if (!CopyText(text, sizeof out->data, field)) return false;
  out->dataSize = static_cast<unsigned>(strlen(text) + 1);
  return true;
}

}  // namespace

RegistryLineFault CheckRegistryLine(const char* line, RegistryLine* out) {
  FieldCursor cursor = {line, 0, false};
  char field[kFieldSize];

  NextField(&cursor, field, sizeof field);
  if (strcmp(field, "HKLM") != 0) return kRootNotHklm;

  NextField(&cursor, field, sizeof field);
  if (field[0] == '\0') return kKeyPathEmpty;
  if (!CopyText(out->keyPath, sizeof out->keyPath, field)) return kKeyPathTooLong;

  NextField(&cursor, field, sizeof field);
  if (field[0] == '\0') return kValueNameEmpty;
  if (!CopyText(out->valueName, sizeof out->valueName, field)) return kValueNameTooLong;

  NextField(&cursor, field, sizeof field);
  out->deletion = cursor.atLastField;
  out->typeCode = 0;
  out->dataSize = 0;
  if (out->deletion) return kRegistryLineUsable;

  const int32_t typeCode = ConvertLong(field, 10);
  if (typeCode < 0 || typeCode > kHighestTypeCode) return kTypeCodeOutOfRange;
  out->typeCode = static_cast<int>(typeCode);
  if (out->typeCode & kByteDataBit) {
    ParseByteData(&cursor, out);
    return kRegistryLineUsable;
  }
  return ParseStringData(&cursor, out) ? kRegistryLineUsable : kStringTooLong;
}

bool ParseRegistryLine(const char* line, RegistryLine* out) {
  return CheckRegistryLine(line, out) == kRegistryLineUsable;
}
