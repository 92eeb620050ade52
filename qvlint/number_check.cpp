#include "number_check.h"

#include <cstring>
#include <string>

#include "numbers.h"
#include "shown_text.h"
#include "text.h"

namespace {

// The number as it looks: from the first character that is not white
// space to the next white space, ";" or ",".
const char* TokenEnd(const char* token, const char* end) {
  const char* p = token;
  while (p < end && !IsWhiteSpace(*p) && *p != ';' && *p != ',') ++p;
  return p;
}

// The decimal number that `token` looks like, when it is one as a whole.
bool ReadsAsDecimal(const std::string& token, int32_t* value) {
  NumberReading reading;
  *value = ReadNumber(token.c_str(), 10, &reading);
  return reading.length == token.size() && !reading.clamped;
}

// "value "08" of Gain", "type code "1x"".
Message Describe(const NumberName& name, const std::string& token) {
  const Shown shown = Show(token.c_str());
  return name.owner[0] != '\0' ? Say("%s %s of %s", name.role, shown.text, name.owner)
                               : Say("%s %s", name.role, shown.text);
}

// `column`: where the token starts.
bool CheckToken(const FindingPlace& place, unsigned line, unsigned column, const NumberName& name,
                const std::string& token, int base) {
  const Message what = Describe(name, token);
  if (token.empty()) {
    ReportAt(place, line, column, kNumberEmpty, Say("%s is empty", what.text.c_str()),
             Say("qvsmzad reads it as 0"));
    return false;
  }
  NumberReading reading;
  const int32_t value = ReadNumber(token.c_str(), base, &reading);
  int32_t decimal;
  if (reading.base == 8 && ReadsAsDecimal(token, &decimal) && decimal != value) {
    ReportAt(place, line, column, kNumberOctal,
             Say("%s starts with 0, which makes it octal", what.text.c_str()),
             Say("qvsmzad stores %ld, not %ld", static_cast<long>(value),
                 static_cast<long>(decimal)));
    return false;
  }
  if (reading.length != token.size()) {
    const Shown taken = Show(token.c_str(), reading.length);
    ReportAt(place, line, column, kNumberText,
             Say("%s is not a number as a whole", what.text.c_str()),
             Say("qvsmzad reads %s of it, which gives %ld", reading.length ? taken.text : "nothing",
                 static_cast<long>(value)));
    return false;
  }
  if (reading.clamped) {
    ReportAt(place, line, column, kNumberClamped,
             Say("%s is out of the 32-bit range", what.text.c_str()),
             Say("qvsmzad stores %ld", static_cast<long>(value)));
    return false;
  }
  return true;
}

}  // namespace

NumberEnding CheckNumber(const FindingPlace& place, unsigned line, unsigned column,
                         const NumberName& name, const char* begin, const char* end, int base,
                         bool notesAllowed) {
  const char* token = begin;
  while (token < end && IsWhiteSpace(*token)) ++token;
  const char* tokenEnd = TokenEnd(token, end);
  const std::string text(token, tokenEnd);
  // An empty number is reported where its text begins.
  const char* at = text.empty() ? begin : token;
  if (!CheckToken(place, line, column + static_cast<unsigned>(at - begin), name, text, base))
    return kNumberReported;

  const char* rest = tokenEnd;
  while (rest < end && IsWhiteSpace(*rest)) ++rest;
  if (rest == end) return kNumberEndsClean;
  if (*rest == ';' && notesAllowed) return kNumberEndsInNote;
  const char* restEnd = end;
  while (IsWhiteSpace(restEnd[-1])) --restEnd;
  const Shown shown = Show(rest, static_cast<size_t>(restEnd - rest));
  ReportAt(place, line, column + static_cast<unsigned>(rest - begin), kNumberTrailingText,
           Say("text %s follows the %s", shown.text, Describe(name, text).text.c_str()),
           Say("qvsmzad ignores it"));
  return kNumberReported;
}
