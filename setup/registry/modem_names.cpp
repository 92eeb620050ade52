#include "modem_names.h"

#include <string.h>

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
  return *a == *b;
}

}  // namespace

bool MatchesNameRule(NameRule rule, const char* value) {
  switch (rule) {
    case kContainsEitherName:
      return strstr(value, kOurModemName) || strstr(value, kOtherModemName);
    case kEqualsEitherNameIgnoringCase:
      return EqualsIgnoringCase(value, kOurModemName) || EqualsIgnoringCase(value, kOtherModemName);
    case kEqualsOurName:
      return strcmp(value, kOurModemName) == 0;
  }
  return false;
}
