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

bool SplitCountryValue(const char* line, CountryValueParts* parts) {
  parts->equals = strchr(line, '=');
  if (parts->equals == nullptr) return false;
  parts->firstComma = strchr(parts->equals + 1, ',');
  parts->secondComma = parts->firstComma == nullptr ? nullptr : strchr(parts->firstComma + 1, ',');
  return true;
}

bool ParseCountryValue(const char* line, CountryValue* out) {
  CountryValueParts parts;
  if (!SplitCountryValue(line, &parts)) return false;
  CopyBounded(out->name, sizeof out->name, line, static_cast<size_t>(parts.equals - line));
  // Each number ends at the first character that is no digit, so a comma
  // ends it without the text having to be cut there.
  out->value = ConvertLong(parts.equals + 1, 0);
  out->hasBounds = parts.secondComma != nullptr;
  out->minimum = out->hasBounds ? ConvertLong(parts.firstComma + 1, 0) : 0;
  out->maximum = out->hasBounds ? ConvertLong(parts.secondComma + 1, 0) : 0;
  return true;
}

DisabledCodeFault CheckDisabledCountry(const char* line, char code[3]) {
  const char* p = line;
  while (IsWhiteSpace(*p)) ++p;
  size_t length = 0;
  while (IsHexDigit(p[length])) {
    if (length == 2) return kTooManyHexDigits;
    ++length;
  }
  if (length == 0) return kNoHexDigit;
  for (size_t i = 0; i < length; ++i) code[i] = UpperCase(p[i]);
  code[length] = '\0';
  return kDisabledCodeUsable;
}

bool ParseDisabledCountry(const char* line, char code[3]) {
  return CheckDisabledCountry(line, code) == kDisabledCodeUsable;
}
