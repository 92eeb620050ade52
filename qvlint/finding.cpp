#include "finding.h"

#include <cstdarg>
#include <cstdio>

namespace {

struct CodeText {
  const char* name;
  const char* summary;
};

// In the order of FindingCode.
const CodeText kCodeTexts[kFindingCodeCount] = {
    {"encoding-mark", "the file starts with a byte-order mark"},
    {"content-before-section", "a line before any section header"},
    {"unclosed-header", "a \"[\" line without \"]\""},
    {"repeated-section", "a section that appears a second time"},
    {"after-ctrl-z", "text after a Ctrl-Z character, which ends the file"},
    {"line-split", "a line longer than 499 characters"},
    {"indented-comment", "a \";\" that is not in column one starts no comment"},
    {"empty-section-name", "a \"[]\" header"},
    {"section-name-case", "Registry or Disable_Country written in another way"},
    {"section-name-blanks", "blanks at the ends of a section name"},
    {"value-no-equals", "a country-section line without \"=\""},
    {"value-name-empty", "a country value without a name"},
    {"value-name-blanks", "blanks at the ends of a country value's name"},
    {"bounds-incomplete", "a country value with a minimum but no maximum"},
    {"comment-comma", "a comma in a \";\" note is read as a separator"},
    {"number-empty", "a number that is not there"},
    {"number-octal", "a leading 0 makes a number octal"},
    {"number-clamped", "a number out of the 32-bit range"},
    {"number-text", "a number that reads only in part"},
    {"number-trailing-text", "text after a number"},
    {"disabled-no-code", "a Disable_Country line without a hexadecimal code"},
    {"disabled-code-too-long", "a disabled country code of three digits or more"},
    {"disabled-trailing-text", "text after a disabled country code"},
    {"registry-root", "a Registry line whose root is not HKLM"},
    {"registry-key-path-empty", "a Registry line without a key path"},
    {"registry-key-path-too-long", "a key path of 50 characters or more"},
    {"registry-value-name-empty", "a Registry line without a value name"},
    {"registry-value-name-too-long", "a value name of 50 characters or more"},
    {"registry-type-code", "a type code outside 0 to 3"},
    {"registry-string-too-long", "a string of 64 characters or more"},
    {"registry-fields-missing", "a Registry line of fewer than three fields"},
    {"registry-delete-with-type", "a type code without data: the line deletes"},
    {"registry-field-differs", "a field that reads otherwise than it is written"},
    {"registry-extra-fields", "fields after a string"},
    {"registry-byte-not-hex", "a byte field that is not hexadecimal"},
    {"registry-byte-too-big", "a byte field over FF"},
    {"registry-bytes-too-many", "more than 64 byte fields"},
    {"lone-carriage-return", "a carriage return without a line feed does not end the line"},
    {"zero-byte", "a zero byte ends what qvsmzad reads of a line"},
    {"header-trailing-text", "text after a section header's \"]\" is ignored"},
    {"indented-header", "a \"[\" that is not in column one starts no section"},
    {"would-be-comment", "\"#\" and \"//\" start no comment"},
    {"key-refused", "the registry refuses the key's name or path"},
    {"key-name-differs", "a key reached under another name than written"},
    {"disabled-tree", "a section inside the tree of disabled codes"},
    {"value-name-case", "a value name that differs from an earlier one only in letter case"},
    {"value-kept", "type code 2 or 3 leaves a value of an earlier line alone"},
    {"country-key-deleted", "no country setting takes effect: the Country key is deleted"},
    {"unknown-section", "a section that setup never reads"},
    {"repeated-key", "a key that appears a second time in its section"},
    {"key-no-equals", "a line without \"=\" in a section that setup reads"},
    {"key-empty-name", "a key without a name"},
    {"unknown-option", "a key of INSTALL_OPTIONS that setup does not know"},
    {"option-not-yes-no", "a yes/no option whose value is neither Y nor N"},
    {"list-key-too-long", "a list key name over 127 characters"},
    {"list-value-too-long", "a list value over 255 characters"},
    {"key-list-full", "a key beyond the 2048 bytes of key names of its section"},
    {"copy-no-file-name", "a copy entry without a file name"},
    {"copy-file-name-too-long", "a copy entry's file name over 127 characters"},
    {"copy-destination-too-long", "a copy entry's destination over 255 characters"},
    {"copy-file-missing", "a copy entry's file is not on the medium"},
    {"launch-no-program", "a launch entry without a program"},
    {"launch-program-name-too-long", "a launch entry's program name over 127 characters"},
    {"launch-too-many-words", "a launch command of more than 9 words"},
    {"launch-path-too-long", "a launch entry's program path over 259 characters"},
    {"launch-program-missing", "a launched program is not on the medium"},
    {"launch-extra-fields", "a launch entry of more than two fields"},
    {"launch-quotes", "quotation marks in a launch command do not group words"},
    {"launch-batch-operator",
     "a batch file's launch command holds an operator of the command interpreter"},
    {"windows-token-case", "$windows written in another letter case"},
    {"country-file-missing", "qvsmzad is launched with a country file that is not on the medium"},
};

}  // namespace

const char* FindingCodeName(FindingCode code) { return kCodeTexts[code].name; }

const char* FindingCodeSummary(FindingCode code) { return kCodeTexts[code].summary; }

Message Say(const char* format, ...) {
  Message message;
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(message.text, sizeof message.text, format, arguments);
  va_end(arguments);
  return message;
}

void Report(const FindingPlace& place, unsigned line, FindingCode code, const Message& reason,
            const Message& effect) {
  const Finding finding = {place.file, line, place.program, code, reason, effect};
  ++place.sink->count;
  place.sink->take(place.sink->context, finding);
}
