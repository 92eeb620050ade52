#include "source_path_rules.h"

namespace {

const unsigned long kNoValue = 0;  // the type field of a record of "there was no value"

bool IsStringType(unsigned long type) {
  return type == kRegistryString || type == kRegistryExpandString;
}

// text with its NUL at out + at; false when it would not fit the field.
bool PutText(unsigned char* out, size_t* at, const char* text) {
  size_t length = 0;
  while (text[length]) {
    if (++length >= kSetupPathSize) return false;
  }
  for (size_t i = 0; i <= length; ++i) out[(*at)++] = static_cast<unsigned char>(text[i]);
  return true;
}

// A NUL-ended text of at most kSetupPathSize bytes at data + *at, within size.
bool TakeText(const unsigned char* data, size_t size, size_t* at, char* out) {
  for (size_t i = 0; i < kSetupPathSize && *at + i < size; ++i) {
    out[i] = static_cast<char>(data[*at + i]);
    if (!out[i]) {
      *at += i + 1;
      return true;
    }
  }
  return false;
}

bool SameText(const char* a, const char* b) {
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}

}  // namespace

size_t EncodeSourcePathRecord(const SourcePathRecord& record, unsigned char* out) {
  const SourcePathValue& earlier = record.Earlier;
  if (earlier.Present && !IsStringType(earlier.Type)) return 0;
  const unsigned long type = earlier.Present ? earlier.Type : kNoValue;
  size_t at = 0;
  for (int shift = 0; shift < 32; shift += 8) out[at++] = static_cast<unsigned char>(type >> shift);
  if (!PutText(out, &at, earlier.Present ? earlier.Text : "") || !PutText(out, &at, record.Written))
    return 0;
  return at;
}

bool DecodeSourcePathRecord(const unsigned char* data, size_t size, SourcePathRecord* record) {
  if (size < 4) return false;
  unsigned long type = 0;
  for (int i = 3; i >= 0; --i) type = type << 8 | data[i];
  size_t at = 4;
  SourcePathValue& earlier = record->Earlier;
  if ((type != kNoValue && !IsStringType(type)) || !TakeText(data, size, &at, earlier.Text) ||
      !TakeText(data, size, &at, record->Written) || at != size)
    return false;
  // A record of no value carries an empty text; anything else is not ours.
  if (type == kNoValue && earlier.Text[0]) return false;
  earlier.Present = type != kNoValue;
  earlier.Type = type;
  return true;
}

bool StillWrittenByRecord(const SourcePathValue& current, const SourcePathRecord& record) {
  return current.Present && current.Type == kRegistryString &&
         SameText(current.Text, record.Written);
}
