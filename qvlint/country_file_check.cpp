#include "country_file_check.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "buffer_sizes.h"
#include "country_lines.h"
#include "effect_check.h"
#include "line_kind.h"
#include "line_reader.h"
#include "shown_text.h"
#include "text.h"

namespace {

const char kCtrlZ = 0x1A;

struct SeenSection {
  std::string name;
  unsigned line;
};

// What the check knows while it goes through the file.
struct CountryCheck {
  const FindingPlace* place;
  char section[kSectionSize];   // CurrentSection, as qvsmzad holds it
  unsigned headerLine;          // where CurrentSection was set
  bool sectionKeyTried;         // a content line of this section asked for its key
  bool emptyHeaderSeen;         // a "[]" header was read: lines outside a section follow it
  unsigned carriageReturnLine;  // the last line reported for a lone carriage return
  unsigned pieceColumn;         // where the piece being read starts in its line
  std::vector<SeenSection> seen;
  EffectCheck effect;
};

const char* SkipWhiteSpace(const char* text) {
  while (IsWhiteSpace(*text)) ++text;
  return text;
}

// The column of `at`, a character of the piece `text`.
unsigned ColumnOf(const CountryCheck& check, const char* text, const char* at) {
  return check.pieceColumn + static_cast<unsigned>(at - text);
}

// The line without its line feed, for showing it.
Shown ShowLine(const char* text) {
  size_t length = strlen(text);
  if (length > 0 && text[length - 1] == '\n') --length;
  return Show(text, length);
}

bool HasBlankEnd(const char* name) {
  const size_t length = strlen(name);
  return length > 0 && (IsWhiteSpace(name[0]) || IsWhiteSpace(name[length - 1]));
}

bool SameLetters(const std::string& a, const char* b) {
  if (a.size() != strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::string Lower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Edits (insertions, deletions, replacements) that turn `a` into `b`.
size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// A name that looks like one of the two special sections but is not: the
// same letters in another case or with blanks around, or a near miss of
// at most two edits.
bool LooksSpecial(const char* name) {
  std::string trimmed = name;
  trimmed.erase(0, trimmed.find_first_not_of(" \t\v\f\r"));
  trimmed.erase(trimmed.find_last_not_of(" \t\v\f\r") + 1);
  if (SameLetters(trimmed, "Registry") || SameLetters(trimmed, "Disable_Country")) return true;
  if (trimmed.size() > 20) return false;
  return EditDistance(Lower(trimmed), "registry") <= 2 ||
         EditDistance(Lower(trimmed), "disable_country") <= 2;
}

// `column`: where the name starts.
void CheckSectionName(const CountryCheck& check, unsigned line, unsigned column) {
  const char* name = check.section;
  const Shown shown = Show(name);
  if (LooksSpecial(name)) {
    ReportAt(*check.place, line, column, kSectionNameCase,
             Say("section [%s] is not written exactly as Registry or Disable_Country", name),
             Say("qvsmzad reads it as a country section: it creates the key Country\\%s", name));
  } else if (HasBlankEnd(name)) {
    ReportAt(*check.place, line, column, kSectionNameBlanks,
             Say("section name %s has blanks at its ends", shown.text),
             Say("qvsmzad keeps them: it creates the key %s below Country", shown.text));
  }
}

// Text after the header's "]" that is not a note.
void CheckHeaderEnd(const CountryCheck& check, unsigned line, const char* text) {
  const char* rest = SkipWhiteSpace(strchr(text, ']') + 1);
  if (*rest == '\0' || *rest == ';') return;
  ReportAt(*check.place, line, ColumnOf(check, text, rest), kHeaderTrailingText,
           Say("text after the header's \"]\": %s", ShowLine(rest).text),
           Say("qvsmzad ignores it"));
}

void TakeHeader(CountryCheck* check, unsigned line, const char* text) {
  CopySectionName(text, check->section, sizeof check->section);
  check->headerLine = line;
  check->sectionKeyTried = false;
  CheckHeaderEnd(*check, line, text);
  const char* name = check->section;
  if (name[0] == '\0') {
    check->emptyHeaderSeen = true;
    ReportAt(*check->place, line, check->pieceColumn, kEmptySectionName,
             Say("the section name is empty"),
             Say("qvsmzad ignores every line up to the next section"));
    return;
  }
  for (const SeenSection& seen : check->seen) {
    if (seen.name != name) continue;
    const bool country = KindOfSection(name) == kCountrySection;
    ReportAt(*check->place, line, check->pieceColumn, kRepeatedSection,
             Say("section [%s] appears again (first at line %u)", name, seen.line),
             country ? Say("qvsmzad adds its lines to the key Country\\%s once more", name)
                     : Say("qvsmzad reads its lines as well"));
    return;
  }
  check->seen.push_back({name, line});
  if (KindOfSection(name) == kCountrySection)
    CheckSectionName(*check, line, ColumnOf(*check, text, text + 1));
}

void ReportBrokenHeader(const CountryCheck& check, unsigned line) {
  ReportAt(*check.place, line, check.pieceColumn, kUnclosedHeader,
           Say("a \"[\" line without \"]\""),
           check.section[0] != '\0'
               ? Say("qvsmzad ignores it: the lines below stay in section [%s]", check.section)
               : Say("qvsmzad ignores it: the lines below stay outside any section"));
}

void ReportIndentedComment(const CountryCheck& check, unsigned line, const char* text) {
  Message effect;
  switch (KindOfSection(check.section)) {
    case kNoSection:
      effect = Say("qvsmzad ignores it, as it ignores every line outside a section");
      break;
    case kDisabledSection:
      effect = Say("qvsmzad reads it as a code line, which is void");
      break;
    case kRegistrySection:
      effect = Say("qvsmzad reads it as a Registry line, which is void");
      break;
    case kCountrySection: {
      const char* equals = strchr(text, '=');
      effect = equals != nullptr
                   ? Say("qvsmzad writes a value named %s",
                         Show(text, static_cast<size_t>(equals - text)).text)
                   : Say("qvsmzad reads it as a line without \"=\": it writes no value but "
                         "creates the section's key");
      break;
    }
  }
  ReportAt(*check.place, line, ColumnOf(check, text, SkipWhiteSpace(text)), kIndentedComment,
           Say("%s: a \";\" not in column one starts no comment", ShowLine(text).text), effect);
}

// What qvsmzad makes of a line that looks like something else.
Message ContentEffect(const CountryCheck& check, const char* text) {
  switch (KindOfSection(check.section)) {
    case kNoSection:
      return Say("qvsmzad ignores it, as it ignores every line outside a section");
    case kDisabledSection:
      return Say("qvsmzad reads it as a code line, which is void");
    case kRegistrySection:
      return Say("qvsmzad reads it as a Registry line, which is void");
    case kCountrySection:
      break;
  }
  const char* equals = strchr(text, '=');
  if (equals != nullptr) {
    return Say("qvsmzad writes a value named %s into section %s",
               Show(text, static_cast<size_t>(equals - text)).text, Show(check.section).text);
  }
  return Say(
      "qvsmzad reads it as a line of section %s without \"=\", which only opens the "
      "section's key",
      Show(check.section).text);
}

void TakeCountryContent(CountryCheck* check, unsigned line, const char* text) {
  LintCountryValueLine(*check->place, line, check->pieceColumn, text, check->section,
                       check->effect);
  CheckValueNames(check->effect, line);
}

void TakeContent(CountryCheck* check, unsigned line, const char* text) {
  const char* first = SkipWhiteSpace(text);
  const bool countrySection = KindOfSection(check->section) == kCountrySection;
  if (countrySection && !check->sectionKeyTried) {
    // Any content line opens the section's key, a blank one too.
    CheckSectionKey(check->effect, check->section, check->headerLine, line);
    check->sectionKeyTried = true;
  }
  if (*first == '\0') return;  // blank lines change nothing else
  if (*first == ';') {
    ReportIndentedComment(*check, line, text);
    return;
  }
  if (*first == '[' && strchr(first, ']') != nullptr) {
    ReportAt(*check->place, line, ColumnOf(*check, text, first), kIndentedHeader,
             Say("%s: a \"[\" not in column one starts no section", ShowLine(text).text),
             ContentEffect(*check, text));
    return;
  }
  if (*first == '#' || (first[0] == '/' && first[1] == '/')) {
    ReportAt(*check->place, line, ColumnOf(*check, text, first), kWouldBeComment,
             Say("%s: only a \";\" in column one starts a comment", ShowLine(text).text),
             ContentEffect(*check, text));
    if (countrySection) CheckValueNames(check->effect, line);
    return;
  }
  switch (KindOfSection(check->section)) {
    case kNoSection:
      ReportAt(*check->place, line, check->pieceColumn, kContentBeforeSection,
               check->emptyHeaderSeen
                   ? Say("%s stands under an empty section name", ShowLine(text).text)
                   : Say("%s stands before any section", ShowLine(text).text),
               Say("qvsmzad ignores it"));
      break;
    case kDisabledSection:
      LintDisabledLine(*check->place, line, check->pieceColumn, text);
      break;
    case kRegistrySection:
      LintRegistryLine(*check->place, line, check->pieceColumn, text);
      CheckRegistryLineEffect(check->effect, line);
      break;
    case kCountrySection:
      TakeCountryContent(check, line, text);
      break;
  }
}

// A carriage return inside a piece is one that no line feed follows.
void CheckLineBytes(CountryCheck* check, unsigned line, const char* text, size_t length) {
  const char* carriageReturn = static_cast<const char*>(memchr(text, '\r', length));
  if (carriageReturn != nullptr && check->carriageReturnLine != line) {
    check->carriageReturnLine = line;
    ReportAt(*check->place, line, ColumnOf(*check, text, carriageReturn), kLoneCarriageReturn,
             Say("%s holds a carriage return that no line feed follows", ShowLine(text).text),
             Say("qvsmzad reads the text after it as part of the same line"));
  }
  const char* zero = static_cast<const char*>(memchr(text, '\0', length));
  if (zero == nullptr) return;
  const std::string rest(zero + 1, text + length);
  if (rest.find_first_not_of(std::string("\0 \t\r\n\v\f", 7)) == std::string::npos) return;
  ReportAt(*check->place, line, ColumnOf(*check, text, zero), kZeroByte,
           Say("the line holds a zero byte"),
           Say("qvsmzad ignores the rest of the line: %s", ShowLine(rest.c_str()).text));
}

void TakeLine(CountryCheck* check, unsigned line, const char* text, size_t length) {
  CheckLineBytes(check, line, text, length);
  switch (ClassifyLine(text)) {
    case kCommentLine:
      break;
    case kBrokenHeader:
      ReportBrokenHeader(*check, line);
      break;
    case kSectionHeader:
      TakeHeader(check, line, text);
      break;
    case kContentLine:
      TakeContent(check, line, text);
      break;
  }
}

std::string ReadAll(FILE* file) {
  std::string data;
  char chunk[4096];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) data.append(chunk, got);
  return data;
}

bool StartsWithByteOrderMark(const std::string& data) {
  return data.compare(0, 3, "\xEF\xBB\xBF") == 0 || data.compare(0, 2, "\xFF\xFE") == 0 ||
         data.compare(0, 2, "\xFE\xFF") == 0;
}

// Text after the first Ctrl-Z, which ends the file for qvsmzad.
void CheckFileEnd(const FindingPlace& place, const std::string& data) {
  const size_t stop = data.find(kCtrlZ);
  if (stop == std::string::npos) return;
  for (size_t i = stop + 1; i < data.size(); ++i) {
    if (IsWhiteSpace(data[i]) || data[i] == kCtrlZ) continue;
    unsigned line = 1;
    for (size_t j = 0; j < stop; ++j) line += data[j] == '\n';
    const size_t feed = data.rfind('\n', stop);
    const size_t lineStart = feed == std::string::npos ? 0 : feed + 1;
    ReportAt(place, line, static_cast<unsigned>(stop - lineStart) + 1, kAfterCtrlZ,
             Say("text follows a Ctrl-Z character (1A hex)"),
             Say("qvsmzad stops reading at the Ctrl-Z: the text after it is never read"));
    return;
  }
}

}  // namespace

void LintCountryFile(FILE* file, unsigned codePage, const FindingPlace& place) {
  const std::string data = ReadAll(file);
  rewind(file);
  if (StartsWithByteOrderMark(data)) {
    Report(place, 1, kEncodingMark, Say("the file starts with a byte-order mark"),
           Say("qvsmzad reads the mark as the first characters of line 1"));
  }

  CountryCheck check;
  check.place = &place;
  check.section[0] = '\0';
  check.headerLine = 0;
  check.sectionKeyTried = false;
  check.emptyHeaderSeen = false;
  check.carriageReturnLine = 0;
  check.pieceColumn = 1;
  StartEffectCheck(file, codePage, place, &check.effect);

  LineReader reader;
  StartLineReader(&reader, file);
  char piece[kLineSize];
  unsigned line = 1;
  bool continued = false;  // the piece before ended without a line feed
  bool splitReported = false;
  size_t length;
  while ((length = ReadLine(&reader, piece, sizeof piece)) > 0) {
    // A piece of only the line feed matters when it opens a section's key.
    if (continued && !splitReported && (piece[0] != '\n' || LineHasEffect(check.effect, line))) {
      ReportAt(place, line, check.pieceColumn, kLineSplit,
               Say("the line is longer than 499 characters"),
               piece[0] != '\n'
                   ? Say("qvsmzad reads it in pieces of 499 characters, each as a line of its own")
                   : Say("qvsmzad reads the line feed after the 499th character as a line of its "
                         "own, which opens the section's key"));
      splitReported = true;
    }
    TakeLine(&check, line, piece, length);
    continued = piece[length - 1] != '\n';
    check.pieceColumn = continued ? check.pieceColumn + static_cast<unsigned>(length) : 1;
    if (!continued) {
      ++line;
      splitReported = false;
    }
  }
  CheckFileEnd(place, data);
  CheckCountryKeyKept(check.effect, data);
}
