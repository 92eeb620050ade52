#include "read_field.h"

#include "text.h"

int ReadField(const char* text, char* field, size_t capacity) {
  field[0] = '\0';
  const char* p = text;
  while (IsWhiteSpace(*p)) ++p;
  bool quoted = false;
  if (*p == '"') {
    quoted = true;
    ++p;
  }
  size_t count = 0;
  for (; *p != '\0'; ++p) {
    const char c = *p;
    if (c == ',') {
      field[count] = '\0';
      return static_cast<int>(p + 1 - text);
    }
    if (c == '"') {
      quoted = false;
      continue;
    }
    if (!quoted && IsWhiteSpace(c)) continue;
    if (count + 1 < capacity) field[count++] = c;
  }
  field[count] = '\0';
  return 0;
}
