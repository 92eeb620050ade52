#include <cstring>
#include <string>

#include "country_lines.h"
#include "number_check.h"
#include "numbers.h"
#include "read_field.h"
#include "registry_line.h"
#include "shown_text.h"
#include "text.h"

namespace {

const unsigned kBytesHeld = 64;  // byte fields that qvsmzad stores

// One field as written in the line and as qvsmzad reads it with ReadField.
struct Field {
  std::string written;  // from the cursor to the comma or the line's end
  std::string read;
  unsigned column;  // of its first character that is not white space, or where it begins
};

// Reads the fields of `text` as qvsmzad does: from a cursor that advances
// past each comma and stays at the last field once the line is used up.
struct FieldWalk {
  const char* text;
  size_t offset;
  unsigned column;  // where `text` starts in its line
};

Field NextField(FieldWalk* walk) {
  const char* start = walk->text + walk->offset;
  std::string read(strlen(start) + 1, '\0');
  const int step = ReadField(start, &read[0], read.size());
  read.resize(strlen(read.c_str()));
  const size_t written = step > 0 ? static_cast<size_t>(step) - 1 : strlen(start);
  size_t blanks = 0;
  while (blanks < written && IsWhiteSpace(start[blanks])) ++blanks;
  if (blanks == written) blanks = 0;  // an empty field is shown where it begins
  const unsigned column = walk->column + static_cast<unsigned>(walk->offset + blanks);
  walk->offset += static_cast<size_t>(step);
  return {std::string(start, written), read, column};
}

std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsWhiteSpace(text[begin])) ++begin;
  while (end > begin && IsWhiteSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// The field as it looks: without the blanks around it and without a pair of
// quotation marks around the whole.
std::string Looks(const std::string& written) {
  const std::string trimmed = Trimmed(written);
  const size_t n = trimmed.size();
  if (n >= 2 && trimmed[0] == '"' && trimmed[n - 1] == '"' && trimmed.find('"', 1) == n - 1) {
    return trimmed.substr(1, n - 2);
  }
  return trimmed;
}

void CheckFieldReading(const FindingPlace& place, unsigned line, const char* what,
                       const Field& field) {
  if (Looks(field.written) == field.read) return;
  ReportAt(place, line, field.column, kRegistryFieldDiffers,
           Say("%s %s reads as %s", what, Show(Trimmed(field.written).c_str()).text,
               Show(field.read.c_str()).text),
           Say("qvsmzad uses %s", Show(field.read.c_str()).text));
}

unsigned CountFields(const char* text) {
  unsigned count = 1;
  for (const char* p = text; *p != '\0'; ++p) count += *p == ',';
  return count;
}

// `field`: the one at fault.
void ReportVoid(const FindingPlace& place, unsigned line, const Field& field, FindingCode code,
                const Message& reason) {
  ReportAt(place, line, field.column, code, reason, Say("qvsmzad ignores the line"));
}

// The line is void: says why, with the field at fault.
void ReportFault(const FindingPlace& place, unsigned line, RegistryLineFault fault,
                 const Field fields[5]) {
  const Shown root = Show(fields[0].read.c_str()), keyPath = Show(fields[1].read.c_str());
  const Shown valueName = Show(fields[2].read.c_str()), typeCode = Show(fields[3].read.c_str());
  const unsigned keyLength = static_cast<unsigned>(fields[1].read.size());
  const unsigned nameLength = static_cast<unsigned>(fields[2].read.size());
  const unsigned stringLength = static_cast<unsigned>(fields[4].read.size());
  switch (fault) {
    case kRootNotHklm:
      ReportVoid(place, line, fields[0], kRegistryRoot,
                 Say("root %s is not HKLM (written so, in capitals)", root.text));
      break;
    case kKeyPathEmpty:
      ReportVoid(place, line, fields[1], kRegistryKeyPathEmpty, Say("the key path is empty"));
      break;
    case kKeyPathTooLong:
      ReportVoid(place, line, fields[1], kRegistryKeyPathTooLong,
                 Say("key path %s has %u characters, more than 49", keyPath.text, keyLength));
      break;
    case kValueNameEmpty:
      ReportVoid(place, line, fields[2], kRegistryValueNameEmpty, Say("the value name is empty"));
      break;
    case kValueNameTooLong:
      ReportVoid(place, line, fields[2], kRegistryValueNameTooLong,
                 Say("value name %s has %u characters, more than 49", valueName.text, nameLength));
      break;
    case kTypeCodeOutOfRange:
      ReportVoid(place, line, fields[3], kRegistryTypeCode,
                 Say("type code %s is not 0, 1, 2 or 3", typeCode.text));
      break;
    case kStringTooLong:
      ReportVoid(place, line, fields[4], kRegistryStringTooLong,
                 Say("string %s has %u characters, more than 63", Show(fields[4].read.c_str()).text,
                     stringLength));
      break;
    case kRegistryLineUsable:
      break;
  }
}

bool IsHexText(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

// The byte fields from the fifth on: the first one at fault of each kind.
void CheckBytes(const FindingPlace& place, unsigned line, FieldWalk walk, unsigned dataFields) {
  bool notHexSeen = false, tooBigSeen = false;
  for (unsigned i = 1; i <= dataFields && i <= kBytesHeld; ++i) {
    const Field field = NextField(&walk);
    const uint32_t value = ParseHex(field.read.c_str());
    const Shown shown = Show(field.read.c_str());
    if (!IsHexText(field.read) && !notHexSeen) {
      notHexSeen = true;
      ReportAt(place, line, field.column, kRegistryByteNotHex,
               Say("byte %u, %s, is not a hexadecimal number", i, shown.text),
               Say("qvsmzad stores the byte %02X", static_cast<unsigned>(value & 0xFF)));
    } else if (IsHexText(field.read) && value > 0xFF && !tooBigSeen) {
      tooBigSeen = true;
      ReportAt(place, line, field.column, kRegistryByteTooBig,
               Say("byte %u, %s, is more than FF", i, shown.text),
               Say("qvsmzad stores its low byte %02X", static_cast<unsigned>(value & 0xFF)));
    }
  }
  if (dataFields > kBytesHeld) {
    // The walk stands at the first byte that qvsmzad does not store.
    ReportAt(place, line, NextField(&walk).column, kRegistryBytesTooMany,
             Say("the line gives %u bytes, more than 64", dataFields),
             Say("qvsmzad stores the first 64 and ignores the rest"));
  }
}

// A usable line whose fields may still read otherwise than they look.
void CheckUsableLine(const FindingPlace& place, unsigned line, const char* text,
                     const RegistryLine& parsed, const Field fields[5], FieldWalk dataWalk) {
  const unsigned count = CountFields(text);
  if (count < 3) {
    ReportAt(place, line, dataWalk.column, kRegistryFieldsMissing,
             Say("the line has %u fields, not the three of a deletion", count),
             Say("qvsmzad reads its last field again: it deletes the value %s of the key %s",
                 Show(parsed.valueName).text, Show(parsed.keyPath).text));
    return;
  }
  CheckFieldReading(place, line, "root", fields[0]);
  CheckFieldReading(place, line, "key path", fields[1]);
  CheckFieldReading(place, line, "value name", fields[2]);
  if (parsed.deletion) {
    if (count == 4) {
      ReportAt(place, line, fields[3].column, kRegistryDeleteWithType,
               Say("type code %s is followed by no data", Show(fields[3].read.c_str()).text),
               Say("qvsmzad deletes the value %s", Show(parsed.valueName).text));
    }
    return;
  }
  const std::string& typeCode = fields[3].read;
  CheckNumber(place, line, fields[3].column, {"type code", ""}, typeCode.c_str(),
              typeCode.c_str() + typeCode.size(), 10, false);
  const unsigned dataFields = count - 4;
  if (parsed.typeCode & kByteDataBit) {
    CheckBytes(place, line, dataWalk, dataFields);
    return;
  }
  CheckFieldReading(place, line, "string", fields[4]);
  if (dataFields > 1) {
    FieldWalk rest = dataWalk;
    NextField(&rest);
    ReportAt(place, line, NextField(&rest).column, kRegistryExtraFields,
             Say("commas split the string into %u fields", dataFields),
             Say("qvsmzad writes %s and ignores the rest", Show(fields[4].read.c_str()).text));
  }
}

}  // namespace

void LintRegistryLine(const FindingPlace& place, unsigned line, unsigned column, const char* text) {
  RegistryLine parsed;
  const RegistryLineFault fault = CheckRegistryLine(text, &parsed);
  FieldWalk walk = {text, 0, column};
  Field fields[5];
  for (int i = 0; i < 4; ++i) fields[i] = NextField(&walk);
  const FieldWalk dataWalk = walk;
  fields[4] = NextField(&walk);
  if (fault != kRegistryLineUsable) {
    ReportFault(place, line, fault, fields);
    return;
  }
  CheckUsableLine(place, line, text, parsed, fields, dataWalk);
}
