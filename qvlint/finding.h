// Findings: a line that setup or qvsmzad passes over, or reads otherwise than
// it looks, with what the program does instead.
#ifndef QVLINT_FINDING_H
#define QVLINT_FINDING_H

#include <cstddef>

// Every kind of finding; its code name is stable (tools match on it).
enum FindingCode {
  // Both files.
  kEncodingMark,
  kContentBeforeSection,
  kUnclosedHeader,
  kRepeatedSection,
  // The country settings file (qvsmzad).
  kAfterCtrlZ,
  kLineSplit,
  kIndentedComment,
  kEmptySectionName,
  kSectionNameCase,
  kSectionNameBlanks,
  kCountryValueNoEquals,
  kCountryValueNameEmpty,
  kCountryValueNameBlanks,
  kBoundsIncomplete,
  kCommentComma,
  kNumberEmpty,
  kNumberOctal,
  kNumberClamped,
  kNumberText,
  kNumberTrailingText,
  kDisabledNoCode,
  kDisabledCodeTooLong,
  kDisabledTrailingText,
  kRegistryRoot,
  kRegistryKeyPathEmpty,
  kRegistryKeyPathTooLong,
  kRegistryValueNameEmpty,
  kRegistryValueNameTooLong,
  kRegistryTypeCode,
  kRegistryStringTooLong,
  kRegistryFieldsMissing,
  kRegistryDeleteWithType,
  kRegistryFieldDiffers,
  kRegistryExtraFields,
  kRegistryByteNotHex,
  kRegistryByteTooBig,
  kRegistryBytesTooMany,
  kLoneCarriageReturn,
  kZeroByte,
  kHeaderTrailingText,
  kIndentedHeader,
  kWouldBeComment,
  kKeyRefused,
  kKeyNameDiffers,
  kDisabledTree,
  kValueNameCase,
  kValueKept,
  kCountryKeyDeleted,
  // qvsetup.ini (setup).
  kUnknownSection,
  kRepeatedKey,
  kKeyNoEquals,
  kKeyEmptyName,
  kUnknownOption,
  kOptionNotYesNo,
  kListKeyTooLong,
  kListValueTooLong,
  kKeyListFull,
  kCopyNoFileName,
  kCopyFileNameTooLong,
  kCopyDestinationTooLong,
  kCopyFileMissing,
  kLaunchNoProgram,
  kLaunchProgramNameTooLong,
  kLaunchTooManyWords,
  kLaunchPathTooLong,
  kLaunchProgramMissing,
  kLaunchExtraFields,
  kLaunchQuotes,
  kLaunchBatchOperator,
  kWindowsTokenCase,
  kCountryFileMissing,
  kFindingCodeCount
};

// The code's stable name ("number-octal") and a one-line summary.
const char* FindingCodeName(FindingCode code);
const char* FindingCodeSummary(FindingCode code);

enum { kMessageSize = 320 };

// A formatted text of bounded size; longer texts are cut.
struct Message {
  char text[kMessageSize];
};

Message Say(const char* format, ...) __attribute__((format(printf, 1, 2)));

struct Finding {
  const char* file;
  unsigned line;        // 1-based; physical line of the file
  const char* program;  // "setup" or "qvsmzad"
  FindingCode code;
  Message reason;  // what is wrong with the line
  Message effect;  // what the program does instead
};

// Where findings go: `take` is called once per finding, in file order.
struct FindingSink {
  void (*take)(void* context, const Finding& finding);
  void* context;
  unsigned count;
};

// The file being checked and the program that reads it.
struct FindingPlace {
  const char* file;
  const char* program;
  FindingSink* sink;
};

void Report(const FindingPlace& place, unsigned line, FindingCode code, const Message& reason,
            const Message& effect);

#endif
