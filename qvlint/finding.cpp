#include "finding.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "shown_text.h"

namespace {

struct CodeText {
  const char* name;
  Severity severity;
  const char* summary;
};

// In the order of FindingCode. The severity is what the program does with
// the line at its worst, as the code's effect says: an error where setup
// skips a copy entry, fails a copy or ends with -1; a warning where a run
// passes over a line or reads it otherwise than it looks, and where qvsmzad
// does (setup takes no notice of its exit code); a note where it reads the
// line as written.
const CodeText kCodeTexts[kFindingCodeCount] = {
    {"encoding-mark", kWarning, "the file starts with a byte-order mark"},
    {"content-before-section", kWarning, "a line before any section header"},
    {"unclosed-header", kWarning, "a \"[\" line without \"]\""},
    {"section-continued", kNote,
     "a section that appears again: qvsmzad reads its lines as lines of the section"},
    {"after-ctrl-z", kWarning, "text after a Ctrl-Z character, which ends the file"},
    {"line-split", kWarning, "a line longer than 499 characters"},
    {"indented-comment", kWarning, "a \";\" that is not in column one starts no comment"},
    {"empty-section-name", kWarning, "a \"[]\" header"},
    {"section-name-case", kWarning, "Registry or Disable_Country written in another way"},
    {"section-name-blanks", kWarning, "blanks at the ends of a section name"},
    {"value-no-equals", kWarning, "a country-section line without \"=\""},
    {"value-name-empty", kWarning, "a country value without a name"},
    {"value-name-blanks", kWarning, "blanks at the ends of a country value's name"},
    {"bounds-incomplete", kWarning, "a country value with a minimum but no maximum"},
    {"comment-comma", kWarning, "a comma in a \";\" note is read as a separator"},
    {"number-empty", kWarning, "a number that is not there"},
    {"number-octal", kWarning, "a leading 0 makes a number octal"},
    {"number-clamped", kWarning, "a number out of the 32-bit range"},
    {"number-text", kWarning, "a number that reads only in part"},
    {"number-trailing-text", kWarning, "text after a number"},
    {"disabled-no-code", kWarning, "a Disable_Country line without a hexadecimal code"},
    {"disabled-code-too-long", kWarning, "a disabled country code of three digits or more"},
    {"disabled-trailing-text", kWarning, "text after a disabled country code"},
    {"registry-root", kWarning, "a Registry line whose root is not HKLM"},
    {"registry-key-path-empty", kWarning, "a Registry line without a key path"},
    {"registry-key-path-too-long", kWarning, "a key path of 50 characters or more"},
    {"registry-value-name-empty", kWarning, "a Registry line without a value name"},
    {"registry-value-name-too-long", kWarning, "a value name of 50 characters or more"},
    {"registry-type-code", kWarning, "a type code outside 0 to 3"},
    {"registry-string-too-long", kWarning, "a string of 64 characters or more"},
    {"registry-fields-missing", kWarning, "a Registry line of fewer than three fields"},
    {"registry-delete-with-type", kWarning, "a type code without data: the line deletes"},
    {"registry-field-differs", kWarning, "a field that reads otherwise than it is written"},
    {"registry-extra-fields", kWarning, "fields after a string"},
    {"registry-byte-not-hex", kWarning, "a byte field that is not hexadecimal"},
    {"registry-byte-too-big", kWarning, "a byte field over FF"},
    {"registry-bytes-too-many", kWarning, "more than 64 byte fields"},
    {"lone-carriage-return", kWarning,
     "a carriage return without a line feed does not end the line"},
    {"zero-byte", kWarning, "a zero byte ends what qvsmzad reads of a line"},
    {"header-trailing-text", kWarning, "text after a section header's \"]\" is ignored"},
    {"indented-header", kWarning, "a \"[\" that is not in column one starts no section"},
    {"would-be-comment", kWarning, "\"#\" and \"//\" start no comment"},
    {"key-refused", kWarning, "the registry refuses the key's name or path"},
    {"key-name-differs", kWarning, "a key reached under another name than written"},
    {"disabled-tree", kWarning, "a section inside the tree of disabled codes"},
    {"value-name-case", kWarning,
     "a value name that differs from an earlier one only in letter case"},
    {"value-kept", kNote, "type code 2 or 3 leaves a value of an earlier line alone"},
    {"country-key-deleted", kWarning,
     "no country setting takes effect: the Country key is deleted"},
    {"registry-undocumented", kWarning,
     "a key or value name whose handling a Windows family does not document"},
    {"value-refused", kWarning, "a value name longer than the registry takes"},
    {"key-values-full", kWarning, "the values of one key pass the 64 KB of Windows 95"},
    {"repeated-section", kWarning, "a section that appears again: setup never reads its lines"},
    {"unknown-section", kWarning, "a section that setup never reads"},
    {"repeated-key", kWarning, "a key that appears a second time in its section"},
    {"key-no-equals", kWarning, "a line without \"=\" in a section that setup reads"},
    {"key-empty-name", kWarning, "a key without a name"},
    {"unknown-option", kWarning, "a key of INSTALL_OPTIONS that setup does not know"},
    {"option-not-yes-no", kWarning, "a yes/no option whose value is neither Y nor N"},
    {"list-key-too-long", kError, "a list key name over 127 characters"},
    {"list-value-too-long", kError, "a list value over 255 characters"},
    {"key-list-full", kError, "a key beyond the 2048 bytes of key names of its section"},
    {"copy-no-file-name", kWarning, "a copy entry without a file name"},
    {"copy-file-name-too-long", kError, "a copy entry's file name over 127 characters"},
    {"copy-destination-too-long", kError, "a copy entry's destination over 255 characters"},
    {"copy-file-missing", kError, "a copy entry's file is not on the medium"},
    {"launch-no-program", kWarning, "a launch entry without a program"},
    {"launch-program-name-too-long", kWarning, "a launch entry's program name over 127 characters"},
    {"launch-too-many-words", kWarning, "a launch command of more than 9 words"},
    {"launch-path-too-long", kWarning, "a launch entry's program path over 259 characters"},
    {"launch-program-missing", kWarning, "a launched program is not on the medium"},
    {"launch-extra-fields", kWarning, "a launch entry of more than two fields"},
    {"launch-quotes", kWarning, "quotation marks in a launch command do not group words"},
    {"launch-batch-operator", kWarning,
     "a batch file's launch command holds an operator of the command interpreter"},
    {"windows-token-case", kWarning, "$windows written in another letter case"},
    {"country-file-missing", kWarning,
     "qvsmzad is launched with a country file that is not on the medium"},
    {"profile-undocumented", kWarning,
     "a line whose reading by the profile reader a Windows family does not document"},
    {"debug-message-boxes", kWarning,
     "Debug=Y shows message boxes that wait for OK, in silent runs too"},
    {"name-not-ansi", kWarning,
     "a name in qvsetup.ini written as UTF-8, which setup reads as ANSI text"},
    {"plan-run-fails", kError, "setup's run ends with -1 on a platform class"},
    {"plan-copy-fails", kError, "a copy of setup's run fails on a platform class"},
    {"plan-launch-fails", kWarning,
     "a program of setup's run does not start or ends with a non-zero exit code"},
    {"plan-medium-incomplete", kError, "the medium lacks a file of the driver set"},
    {"plan-preflight-fails", kError, "a check before setup's first change fails"},
};

}  // namespace

const char* FindingCodeName(FindingCode code) { return kCodeTexts[code].name; }

Severity FindingCodeSeverity(FindingCode code) { return kCodeTexts[code].severity; }

const char* FindingCodeSummary(FindingCode code) { return kCodeTexts[code].summary; }

const char* SeverityName(Severity severity) {
  static const char* const kNames[kSeverityCount] = {"error", "warning", "note"};
  return kNames[severity];
}

bool FindFindingCode(const std::string& name, FindingCode* code) {
  for (int candidate = 0; candidate < kFindingCodeCount; ++candidate) {
    if (name == kCodeTexts[candidate].name) {
      *code = static_cast<FindingCode>(candidate);
      return true;
    }
  }
  return false;
}

// The arguments bring names and lines of the files, which may hold any byte.
Message Say(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  va_list measured;
  va_copy(measured, arguments);
  const int length = vsnprintf(nullptr, 0, format, measured);
  va_end(measured);
  std::vector<char> formatted(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
  vsnprintf(formatted.data(), formatted.size(), format, arguments);
  va_end(arguments);
  return Message{EscapeControls(formatted.data())};
}

void Report(const FindingPlace& place, unsigned line, FindingCode code, const Message& reason,
            const Message& effect) {
  ReportAt(place, line, 1, code, reason, effect);
}

void ReportAt(const FindingPlace& place, unsigned line, unsigned column, FindingCode code,
              const Message& reason, const Message& effect) {
  ReportOn(place, line, column, kOnEvery, code, reason, effect);
}

void ReportOn(const FindingPlace& place, unsigned line, unsigned column, unsigned platforms,
              FindingCode code, const Message& reason, const Message& effect) {
  const Finding finding = {place.file, line,      column, place.program,
                           code,       platforms, reason, effect};
  place.sink->take(place.sink->context, finding);
}
