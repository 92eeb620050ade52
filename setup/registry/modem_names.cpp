#include "modem_names.h"

#include <string.h>

static char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

static bool EqualsIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
  return *a == *b;
}

bool MatchesNameRule(NameRule rule, const char* value) {
  switch (rule) {
    case ContainsEitherName:
      return strstr(value, OurModemName) || strstr(value, OtherModemName);
    case EqualsEitherNameIgnoringCase:
      return EqualsIgnoringCase(value, OurModemName) || EqualsIgnoringCase(value, OtherModemName);
    case EqualsOurName:
      return strcmp(value, OurModemName) == 0;
  }
  return false;
}
