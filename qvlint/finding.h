// Findings: a line that setup or qvsmzad passes over, or reads otherwise than
// it looks, with what the program does instead; and notes: a line that the
// program reads as written, but in a form worth a second look.
#ifndef QVLINT_FINDING_H
#define QVLINT_FINDING_H

#include <string>

// Every kind of finding; its code name is stable (tools match on it).
enum FindingCode {
  // Both files.
  kEncodingMark,
  kContentBeforeSection,
  kUnclosedHeader,
  // The country settings file (qvsmzad).
  kRepeatedSection,  // a note, "section-continued": qvsmzad reads the repeat on as the section
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
  kRegistryUndocumented,
  kValueRefused,
  kKeyValuesFull,
  // qvsetup.ini (setup).
  kRepeatedSetupSection,  // "repeated-section": setup never reads the repeat's lines
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
  kProfileUndocumented,
  kDebugMessageBoxes,
  kNameNotAnsi,
  // The plan of setup's run on a platform class (qvlint --plan).
  kPlanRunFails,
  kPlanCopyFails,
  kPlanLaunchFails,
  kPlanMediumIncomplete,
  kPlanPreflightFails,
  kFindingCodeCount
};

// How a code counts, fixed per code. A finding is a line that the program
// passes over or misreads: it makes qvlint's exit code 1. A note is printed
// as well, but changes no exit code.
enum Severity { kFinding, kNote };

// The code's stable name ("number-octal"), its severity and a one-line summary.
const char* FindingCodeName(FindingCode code);
Severity FindingCodeSeverity(FindingCode code);
const char* FindingCodeSummary(FindingCode code);

// "finding" or "note".
const char* SeverityName(Severity severity);

// The code of a stable name; false when no code has it.
bool FindFindingCode(const std::string& name, FindingCode* code);

// A formatted text, whole however long. It holds no control byte: Say
// writes each as \xHH, whatever the arguments bring.
struct Message {
  std::string text;
};

Message Say(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The registry families on which a finding holds, as a set of bits: the
// Windows 95, 98 and ME registry and the NT one, each on Windows and under
// Wine. Only findings of the registry model can hold on fewer than all.
enum FindingPlatforms { kOnNineX = 1, kOnNt = 2, kOnWineNineX = 4, kOnWineNt = 8, kOnEvery = 15 };

struct Finding {
  const char* file;
  unsigned line;        // 1-based; physical line of the file
  unsigned column;      // 1-based byte of the line where the misreading starts; 1: the whole line
  const char* program;  // "setup" or "qvsmzad"
  FindingCode code;
  unsigned platforms;  // FindingPlatforms bits
  Message reason;      // what is wrong with the line
  Message effect;      // what the program does instead
};

// Where findings go: `take` is called once per finding, in file order.
struct FindingSink {
  void (*take)(void* context, const Finding& finding);
  void* context;
};

// The file being checked and the program that reads it.
struct FindingPlace {
  const char* file;
  const char* program;
  FindingSink* sink;
};

// A finding on the whole line, on every platform.
void Report(const FindingPlace& place, unsigned line, FindingCode code, const Message& reason,
            const Message& effect);

// A finding that starts at `column` of the line, on every platform.
void ReportAt(const FindingPlace& place, unsigned line, unsigned column, FindingCode code,
              const Message& reason, const Message& effect);

// A finding that starts at `column` and holds on the FindingPlatforms of
// `platforms` only.
void ReportOn(const FindingPlace& place, unsigned line, unsigned column, unsigned platforms,
              FindingCode code, const Message& reason, const Message& effect);

#endif
