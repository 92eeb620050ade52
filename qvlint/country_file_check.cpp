#include "country_file_check.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "buffer_sizes.h"
#include "country_lines.h"
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
  char section[kSectionSize];  // CurrentSection, as qvsmzad holds it
  bool emptyHeaderSeen;        // a "[]" header was read: lines outside a section follow it
  std::vector<SeenSection> seen;
};

const char* SkipWhiteSpace(const char* text) {
  while (IsWhiteSpace(*text)) ++text;
  return text;
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

// A name that looks like one of the two special sections but is not.
bool LooksSpecial(const char* name) {
  std::string trimmed = name;
  trimmed.erase(0, trimmed.find_first_not_of(" \t\v\f\r"));
  trimmed.erase(trimmed.find_last_not_of(" \t\v\f\r") + 1);
  return SameLetters(trimmed, "Registry") || SameLetters(trimmed, "Disable_Country");
}

void CheckSectionName(const CountryCheck& check, unsigned line) {
  const char* name = check.section;
  const Shown shown = Show(name);
  if (LooksSpecial(name)) {
    Report(*check.place, line, kSectionNameCase,
           Say("section [%s] is not written exactly as Registry or Disable_Country", name),
           Say("qvsmzad reads it as a country section: it creates the key Country\\%s", name));
  } else if (HasBlankEnd(name)) {
    Report(*check.place, line, kSectionNameBlanks,
           Say("section name %s has blanks at its ends", shown.text),
           Say("qvsmzad keeps them: it creates the key %s below Country", shown.text));
  }
}

void TakeHeader(CountryCheck* check, unsigned line, const char* text) {
  CopySectionName(text, check->section, sizeof check->section);
  const char* name = check->section;
  if (name[0] == '\0') {
    check->emptyHeaderSeen = true;
    Report(*check->place, line, kEmptySectionName, Say("the section name is empty"),
           Say("qvsmzad ignores every line up to the next section"));
    return;
  }
  for (const SeenSection& seen : check->seen) {
    if (seen.name != name) continue;
    const bool country = KindOfSection(name) == kCountrySection;
    Report(*check->place, line, kRepeatedSection,
           Say("section [%s] appears again (first at line %u)", name, seen.line),
           country ? Say("qvsmzad adds its lines to the key Country\\%s once more", name)
                   : Say("qvsmzad reads its lines as well"));
    return;
  }
  check->seen.push_back({name, line});
  if (KindOfSection(name) == kCountrySection) CheckSectionName(*check, line);
}

void ReportBrokenHeader(const CountryCheck& check, unsigned line) {
  Report(*check.place, line, kUnclosedHeader, Say("a \"[\" line without \"]\""),
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
  Report(*check.place, line, kIndentedComment,
         Say("%s: a \";\" not in column one starts no comment", ShowLine(text).text), effect);
}

void TakeContent(CountryCheck* check, unsigned line, const char* text) {
  const char* first = SkipWhiteSpace(text);
  if (*first == '\0') return;  // blank lines change nothing that shows
  if (*first == ';') {
    ReportIndentedComment(*check, line, text);
    return;
  }
  switch (KindOfSection(check->section)) {
    case kNoSection:
      Report(*check->place, line, kContentBeforeSection,
             check->emptyHeaderSeen
                 ? Say("%s stands under an empty section name", ShowLine(text).text)
                 : Say("%s stands before any section", ShowLine(text).text),
             Say("qvsmzad ignores it"));
      break;
    case kDisabledSection:
      LintDisabledLine(*check->place, line, text);
      break;
    case kRegistrySection:
      LintRegistryLine(*check->place, line, text);
      break;
    case kCountrySection:
      LintCountryValueLine(*check->place, line, text, check->section);
      break;
  }
}

void TakeLine(CountryCheck* check, unsigned line, const char* text) {
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
    Report(place, line, kAfterCtrlZ, Say("text follows a Ctrl-Z character (1A hex)"),
           Say("qvsmzad stops reading at the Ctrl-Z: the text after it is never read"));
    return;
  }
}

}  // namespace

void LintCountryFile(FILE* file, const FindingPlace& place) {
  const std::string data = ReadAll(file);
  rewind(file);
  if (StartsWithByteOrderMark(data)) {
    Report(place, 1, kEncodingMark, Say("the file starts with a byte-order mark"),
           Say("qvsmzad reads the mark as the first characters of line 1"));
  }

  CountryCheck check;
  check.place = &place;
  check.section[0] = '\0';
  check.emptyHeaderSeen = false;

  LineReader reader;
  StartLineReader(&reader, file);
  char piece[kLineSize];
  unsigned line = 1;
  bool continued = false;  // the piece before ended without a line feed
  bool splitReported = false;
  // Cleared before each read, so that the line feed can be found even
  // behind a zero byte of the line.
  memset(piece, 0, sizeof piece);
  while (ReadLine(&reader, piece, sizeof piece)) {
    if (continued && piece[0] != '\n' && !splitReported) {
      Report(place, line, kLineSplit, Say("the line is longer than 499 characters"),
             Say("qvsmzad reads it in pieces of 499 characters, each as a line of its own"));
      splitReported = true;
    }
    TakeLine(&check, line, piece);
    continued = memchr(piece, '\n', sizeof piece) == nullptr;
    if (!continued) {
      ++line;
      splitReported = false;
    }
    memset(piece, 0, sizeof piece);
  }
  CheckFileEnd(place, data);
}
