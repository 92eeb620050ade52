#include "country_lines.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "country_line.h"
#include "number_check.h"
#include "shown_text.h"
#include "text.h"

namespace {

const char* LineEnd(const char* text) { return text + strlen(text); }

const char* SkipWhiteSpace(const char* text) {
  while (IsWhiteSpace(*text)) ++text;
  return text;
}

// The column of `at`, a character of `text`, which starts at `column`.
unsigned ColumnOf(unsigned column, const char* text, const char* at) {
  return column + static_cast<unsigned>(at - text);
}

// The name of a CountryValue, which starts the line at `column`: reports an
// empty one or one with blanks at its ends. `name` receives it for the
// findings on its numbers.
void CheckValueName(const FindingPlace& place, unsigned line, unsigned column, const char* text,
                    const char* equals, const char* section, Shown* name) {
  const size_t length = static_cast<size_t>(equals - text);
  *name = Show(text, length);
  if (length == 0) {
    ReportAt(place, line, column, kCountryValueNameEmpty,
             Say("the value name before \"=\" is empty"),
             Say("qvsmzad writes the unnamed (default) value of the key Country\\%s", section));
  } else if (IsWhiteSpace(text[0]) || IsWhiteSpace(text[length - 1])) {
    ReportAt(place, line, column, kCountryValueNameBlanks,
             Say("value name %s has blanks at its ends", name->text),
             Say("qvsmzad keeps them: it writes the value %s", name->text));
  }
}

}  // namespace

void LintCountryValueLine(const FindingPlace& place, unsigned line, unsigned column,
                          const char* text, const char* section, const EffectCheck& effect) {
  CountryValueParts parts;
  if (!SplitCountryValue(text, &parts)) {
    size_t length = strlen(text);
    if (length > 0 && text[length - 1] == '\n') --length;
    ReportAt(place, line, column, kCountryValueNoEquals,
             Say("%s holds no \"=\"", Show(text, length).text),
             Say("qvsmzad writes no value for it"));
    return;
  }
  Shown name;
  CheckValueName(place, line, column, text, parts.equals, section, &name);
  const std::string owner(text, parts.equals);

  const char* valueEnd = parts.firstComma != nullptr ? parts.firstComma : LineEnd(text);
  const NumberEnding value = CheckNumber(place, line, ColumnOf(column, text, parts.equals + 1),
                                         {"value", owner.c_str()}, parts.equals + 1, valueEnd, 0,
                                         true);
  if (parts.firstComma == nullptr || value == kNumberReported) return;
  if (parts.secondComma == nullptr) {
    if (value == kNumberEndsInNote) return;  // the comma belongs to the note and changes nothing
    // The bounds that an earlier line wrote under these names stay.
    const unsigned earlier = std::max(EarlierValueLine(effect, line, owner + "_min"),
                                      EarlierValueLine(effect, line, owner + "_max"));
    ReportAt(place, line, ColumnOf(column, text, parts.firstComma), kBoundsIncomplete,
             Say("%s has a minimum but no maximum (one comma)", name.text),
             earlier > 0 ? Say("qvsmzad writes the value only: %s_min and %s_max of line %u stay",
                               owner.c_str(), owner.c_str(), earlier)
                         : Say("qvsmzad writes the value only, without %s_min and %s_max",
                               owner.c_str(), owner.c_str()));
    return;
  }
  if (value == kNumberEndsInNote) {
    ReportAt(
        place, line, ColumnOf(column, text, parts.firstComma), kCommentComma,
        Say("the note after \";\" holds commas"),
        Say("qvsmzad reads on past the \";\": it writes %s_min and %s_max from the text after them",
            owner.c_str(), owner.c_str()));
    return;
  }
  const NumberEnding minimum =
      CheckNumber(place, line, ColumnOf(column, text, parts.firstComma + 1),
                  {"minimum", owner.c_str()}, parts.firstComma + 1, parts.secondComma, 0, true);
  if (minimum == kNumberEndsInNote) {
    ReportAt(place, line, ColumnOf(column, text, parts.secondComma), kCommentComma,
             Say("the note after \";\" holds a comma"),
             Say("qvsmzad reads on past the \";\": it writes %s_max from the text after the comma",
                 owner.c_str()));
    return;
  }
  if (minimum == kNumberReported) return;
  CheckNumber(place, line, ColumnOf(column, text, parts.secondComma + 1),
              {"maximum", owner.c_str()}, parts.secondComma + 1, LineEnd(text), 0, true);
}

void LintDisabledLine(const FindingPlace& place, unsigned line, unsigned column, const char* text) {
  const char* start = SkipWhiteSpace(text);
  size_t length = strlen(start);
  while (length > 0 && IsWhiteSpace(start[length - 1])) --length;
  const Shown shown = Show(start, length);
  char code[3];
  switch (CheckDisabledCountry(text, code)) {
    case kNoHexDigit:
      ReportAt(place, line, ColumnOf(column, text, start), kDisabledNoCode,
               Say("%s does not start with a hexadecimal code", shown.text),
               Say("qvsmzad ignores the line"));
      return;
    case kTooManyHexDigits:
      ReportAt(place, line, ColumnOf(column, text, start), kDisabledCodeTooLong,
               Say("code %s has more than two hexadecimal digits", shown.text),
               Say("qvsmzad ignores the line"));
      return;
    case kDisabledCodeUsable:
      break;
  }
  const char* rest = SkipWhiteSpace(start + strlen(code));
  if (*rest == '\0' || *rest == ';') return;
  ReportAt(place, line, ColumnOf(column, text, rest), kDisabledTrailingText,
           Say("text follows the code in %s", shown.text),
           Say("qvsmzad ignores it and disables the code %s", code));
}
