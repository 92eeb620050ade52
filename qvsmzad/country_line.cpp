#include "country_line.h"

#include <cstring>

#include "numbers.h"
#include "text.h"

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

char UpperCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool ParseCountryValue(const char* line, CountryValue* out) {
  const char* equals = strchr(line, '=');
  if (equals == nullptr) return false;
  CopyBounded(out->name, sizeof out->name, line, static_cast<size_t>(equals - line));
  // Each number ends at the first character that is no digit, so a comma
  // ends it without the text having to be cut there.
  const char* valueText = equals + 1;
  out->value = ConvertLong(valueText, 0);
  out->hasBounds = false;
  out->minimum = 0;
  out->maximum = 0;
  const char* firstComma = strchr(valueText, ',');
  if (firstComma == nullptr) return true;
  const char* secondComma = strchr(firstComma + 1, ',');
  if (secondComma == nullptr) return true;
  out->hasBounds = true;
  out->minimum = ConvertLong(firstComma + 1, 0);
  out->maximum = ConvertLong(secondComma + 1, 0);
  return true;
}

bool ParseDisabledCountry(const char* line, char code[3]) {
  const char* p = line;
  while (IsWhiteSpace(*p)) ++p;
  size_t length = 0;
  while (IsHexDigit(p[length])) {
    if (length == 2) return false;  // three digits or more
    ++length;
  }
  if (length == 0) return false;
  for (size_t i = 0; i < length; ++i) code[i] = UpperCase(p[i]);
  code[length] = '\0';
  return true;
}
