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

// In the order of FindingCode.
const CodeText kCodeTexts[kFindingCodeCount] = {
    {"encoding-mark", kFinding, "the file starts with a byte-order mark"},
    {"content-before-section", kFinding, "a line before any section header"},
    {"unclosed-header", kFinding, "a \"[\" line without \"]\""},
    {"section-continued", kNote,
     "a section that appears again: qvsmzad reads its lines as lines of the section"},
    {"after-ctrl-z", kFinding, "text after a Ctrl-Z character, which ends the file"},
    {"line-split", kFinding, "a line longer than 499 characters"},
    {"indented-comment", kFinding, "a \";\" that is not in column one starts no comment"},
    {"empty-section-name", kFinding, "a \"[]\" header"},
    {"section-name-case", kFinding, "Registry or Disable_Country written in another way"},
    {"section-name-blanks", kFinding, "blanks at the ends of a section name"},
    {"value-no-equals", kFinding, "a country-section line without \"=\""},
    {"value-name-empty", kFinding, "a country value without a name"},
    {"value-name-blanks", kFinding, "blanks at the ends of a country value's name"},
    {"bounds-incomplete", kFinding, "a country value with a minimum but no maximum"},
    {"comment-comma", kFinding, "a comma in a \";\" note is read as a separator"},
    {"number-empty", kFinding, "a number that is not there"},
    {"number-octal", kFinding, "a leading 0 makes a number octal"},
    {"number-clamped", kFinding, "a number out of the 32-bit range"},
    {"number-text", kFinding, "a number that reads only in part"},
    {"number-trailing-text", kFinding, "text after a number"},
    {"disabled-no-code", kFinding, "a Disable_Country line without a hexadecimal code"},
    {"disabled-code-too-long", kFinding, "a disabled country code of three digits or more"},
    {"disabled-trailing-text", kFinding, "text after a disabled country code"},
    {"registry-root", kFinding, "a Registry line whose root is not HKLM"},
    {"registry-key-path-empty", kFinding, "a Registry line without a key path"},
    {"registry-key-path-too-long", kFinding, "a key path of 50 characters or more"},
    {"registry-value-name-empty", kFinding, "a Registry line without a value name"},
    {"registry-value-name-too-long", kFinding, "a value name of 50 characters or more"},
    {"registry-type-code", kFinding, "a type code outside 0 to 3"},
    {"registry-string-too-long", kFinding, "a string of 64 characters or more"},
    {"registry-fields-missing", kFinding, "a Registry line of fewer than three fields"},
    {"registry-delete-with-type", kFinding, "a type code without data: the line deletes"},
    {"registry-field-differs", kFinding, "a field that reads otherwise than it is written"},
    {"registry-extra-fields", kFinding, "fields after a string"},
    {"registry-byte-not-hex", kFinding, "a byte field that is not hexadecimal"},
    {"registry-byte-too-big", kFinding, "a byte field over FF"},
    {"registry-bytes-too-many", kFinding, "more than 64 byte fields"},
    {"lone-carriage-return", kFinding,
     "a carriage return without a line feed does not end the line"},
    {"zero-byte", kFinding, "a zero byte ends what qvsmzad reads of a line"},
    {"header-trailing-text", kFinding, "text after a section header's \"]\" is ignored"},
    {"indented-header", kFinding, "a \"[\" that is not in column one starts no section"},
    {"would-be-comment", kFinding, "\"#\" and \"//\" start no comment"},
    {"key-refused", kFinding, "the registry refuses the key's name or path"},
    {"key-name-differs", kFinding, "a key reached under another name than written"},
    {"disabled-tree", kFinding, "a section inside the tree of disabled codes"},
    {"value-name-case", kFinding,
     "a value name that differs from an earlier one only in letter case"},
    {"value-kept", kNote, "type code 2 or 3 leaves a value of an earlier line alone"},
    {"country-key-deleted", kFinding,
     "no country setting takes effect: the Country key is deleted"},
    {"registry-undocumented", kFinding,
     "a key or value name whose handling a Windows family does not document"},
    {"value-refused", kFinding, "a value name longer than the registry takes"},
    {"key-values-full", kFinding, "the values of one key pass the 64 KB of Windows 95"},
    {"repeated-section", kFinding, "a section that appears again: setup never reads its lines"},
    {"unknown-section", kFinding, "a section that setup never reads"},
    {"repeated-key", kFinding, "a key that appears a second time in its section"},
    {"key-no-equals", kFinding, "a line without \"=\" in a section that setup reads"},
    {"key-empty-name", kFinding, "a key without a name"},
    {"unknown-option", kFinding, "a key of INSTALL_OPTIONS that setup does not know"},
    {"option-not-yes-no", kFinding, "a yes/no option whose value is neither Y nor N"},
    {"list-key-too-long", kFinding, "a list key name over 127 characters"},
    {"list-value-too-long", kFinding, "a list value over 255 characters"},
    {"key-list-full", kFinding, "a key beyond the 2048 bytes of key names of its section"},
    {"copy-no-file-name", kFinding, "a copy entry without a file name"},
    {"copy-file-name-too-long", kFinding, "a copy entry's file name over 127 characters"},
    {"copy-destination-too-long", kFinding, "a copy entry's destination over 255 characters"},
    {"copy-file-missing", kFinding, "a copy entry's file is not on the medium"},
    {"launch-no-program", kFinding, "a launch entry without a program"},
    {"launch-program-name-too-long", kFinding, "a launch entry's program name over 127 characters"},
    {"launch-too-many-words", kFinding, "a launch command of more than 9 words"},
    {"launch-path-too-long", kFinding, "a launch entry's program path over 259 characters"},
    {"launch-program-missing", kFinding, "a launched program is not on the medium"},
    {"launch-extra-fields", kFinding, "a launch entry of more than two fields"},
    {"launch-quotes", kFinding, "quotation marks in a launch command do not group words"},
    {"launch-batch-operator", kFinding,
     "a batch file's launch command holds an operator of the command interpreter"},
    {"windows-token-case", kFinding, "$windows written in another letter case"},
    {"country-file-missing", kFinding,
     "qvsmzad is launched with a country file that is not on the medium"},
    {"profile-undocumented", kFinding,
     "a line whose reading by the profile reader a Windows family does not document"},
    {"debug-message-boxes", kFinding,
     "Debug=Y shows message boxes that wait for OK, in silent runs too"},
    {"name-not-ansi", kFinding,
     "a name in qvsetup.ini written as UTF-8, which setup reads as ANSI text"},
    {"plan-run-fails", kFinding, "setup's run ends with -1 on a platform class"},
    {"plan-copy-fails", kFinding, "a copy of setup's run fails on a platform class"},
    {"plan-launch-fails", kFinding,
     "a program of setup's run does not start or ends with a non-zero exit code"},
    {"plan-medium-incomplete", kFinding, "the medium lacks a file of the driver set"},
    {"plan-preflight-fails", kFinding, "a check before setup's first change fails"},
};

}  // namespace

const char* FindingCodeName(FindingCode code) { return kCodeTexts[code].name; }

Severity FindingCodeSeverity(FindingCode code) { return kCodeTexts[code].severity; }

const char* FindingCodeSummary(FindingCode code) { return kCodeTexts[code].summary; }

const char* SeverityName(Severity severity) { return severity == kNote ? "note" : "finding"; }

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
