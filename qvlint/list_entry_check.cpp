#include "list_entry_check.h"

#include <cstring>

#include "command_line.h"
#include "files/lists_rules.h"
#include "files/programs_rules.h"
#include "medium_files.h"
#include "profile.h"
#include "shown_text.h"

namespace {

// The medium's directory as setup would know it on a CD drive; a program
// path that starts with it lies on the medium.
const char kSourceDir[] = "D:";
const char kCountryProgram[] = "qvsmzad.exe";

// Reports the first word of `text` (after `skip` words) that is "$windows"
// in another letter case.
void CheckWindowsToken(const FindingPlace& place, unsigned line, unsigned column, const char* text,
                       const char* separators, int skip, const char* formed) {
  const char* cursor = text;
  char word[kListWordSize];
  for (int index = 0; NextWord(&cursor, separators, word, sizeof word) == kWordRead; ++index) {
    if (index < skip || strcmp(word, kWindowsToken) == 0) continue;
    if (!SameNameIgnoringCase(word, kWindowsToken)) continue;
    ReportAt(place, line, column, kWindowsTokenCase,
             Say("%s is not $windows, which must be written in lower case", Show(word).text),
             Say("setup takes it as an ordinary directory name: %s", Show(formed).text));
    return;
  }
}

int CountWords(const char* text, const char* separators) {
  const char* cursor = text;
  char word[kListWordSize];
  int count = 0;
  while (NextWord(&cursor, separators, word, sizeof word) != kNoMoreWords) ++count;
  return count;
}

// The directory field of a launch entry: its second field, or empty.
std::string DirectoryField(const char* value) {
  const char* cursor = value;
  char field[kListWordSize];
  NextWord(&cursor, kLaunchFieldSeparators, field, sizeof field);
  return NextWord(&cursor, kLaunchFieldSeparators, field, sizeof field) == kWordRead ? field : "";
}

void ReportLaunchFault(const FindingPlace& place, unsigned line, unsigned column,
                       LaunchEntryFault fault, const char* value, const ListDirs& dirs) {
  const Message skipped = Say("setup skips the entry");
  switch (fault) {
    case kLaunchEntryNoProgram:
      ReportAt(place, line, column, kLaunchNoProgram, Say("the entry names no program"), skipped);
      break;
    case kLaunchEntryProgramNameTooLong:
      ReportAt(place, line, column, kLaunchProgramNameTooLong,
               Say("the program name has more than %u characters",
                   static_cast<unsigned>(kListNameLimit)),
               skipped);
      break;
    case kLaunchEntryTooManyWords: {
      char command[kListWordSize];
      const char* cursor = value;
      NextWord(&cursor, kLaunchFieldSeparators, command, sizeof command);
      ReportAt(place, line, column, kLaunchTooManyWords,
               Say("the command has %d words, more than %d",
                   CountWords(command, kLaunchCommandSeparators), kLaunchWordLimit),
               skipped);
      break;
    }
    case kLaunchEntryPathTooLong:
      ReportAt(place, line, column, kLaunchPathTooLong,
               Say("the program path is longer than 259 characters (with Windows installed in %s)",
                   dirs.windowsDir),
               skipped);
      break;
    case kLaunchEntryUsable:
      break;
  }
}

bool IsAbsolutePath(const char* path) {
  return path[0] == '\\' || path[0] == '/' || (path[0] != '\0' && path[1] == ':');
}

// qvsmzad started from the medium reads the file named on its command line
// from the medium, its current directory. (A command with quotation marks,
// reported already, never names a file: they stay part of the name.)
void CheckCountryFile(const FindingPlace& place, unsigned line, unsigned column,
                      const LaunchEntry& entry, const std::string& program, const MediumDir& medium,
                      std::vector<std::string>* countryFiles) {
  const size_t slash = program.find_last_of("\\/");
  if (!SameNameIgnoringCase(program.substr(slash == std::string::npos ? 0 : slash + 1),
                            kCountryProgram))
    return;
  const char* words[kLaunchWordLimit];
  for (int i = 0; i < entry.WordCount; ++i) words[i] = entry.Words[i];
  char commandLine[kLaunchWordLimit * (kListWordSize * 2 + 3)];
  if (!FormArgumentLine(words, entry.WordCount, commandLine, sizeof commandLine)) return;
  const char* path = CountryFilePath(commandLine);
  if (IsAbsolutePath(path)) return;
  std::string found;
  if (FindMediumFile(medium.path, path, medium.codePage, &found) == kRegularFile) {
    countryFiles->push_back(found);
    return;
  }
  ReportAt(place, line, column, kCountryFileMissing,
           Say("qvsmzad is to read %s, which is not a file on the medium", Show(path).text),
           Say("qvsmzad ends with exit code 1 and writes nothing"));
}

// Finds the program of the medium as setup does: a name without an
// extension with .com, .exe, .bat and .cmd added in turn.
bool FindMediumProgram(const MediumDir& medium, const char* name, std::string* found) {
  if (HasExtension(name))
    return FindMediumFile(medium.path, name, medium.codePage, found) == kRegularFile;
  for (int i = 0; i < kProgramExtensionCount; ++i) {
    const std::string withExtension = std::string(name) + kProgramExtensions[i];
    if (FindMediumFile(medium.path, withExtension, medium.codePage, found) == kRegularFile)
      return true;
  }
  return false;
}

// setup refuses to start a batch file whose words hold an operator of the
// command interpreter. True when it reported one.
bool CheckBatchOperators(const FindingPlace& place, unsigned line, unsigned column,
                         const LaunchEntry& entry, const std::string& program) {
  if (!IsBatchProgram(program.c_str())) return false;
  const char* words[kLaunchWordLimit];
  for (int i = 0; i < entry.WordCount; ++i) words[i] = entry.Words[i];
  const int refused = FindInterpreterOperatorWord(words, entry.WordCount);
  if (refused < 0) return false;
  ReportAt(place, line, column, kLaunchBatchOperator,
           Say("the command interpreter that runs a batch file would read an operator in %s",
               Show(entry.Words[refused]).text),
           Say("setup does not run the entry"));
  return true;
}

}  // namespace

void LintCopyEntry(const FindingPlace& place, unsigned line, unsigned column,
                   const std::string& value, const ListDirs& dirs, const MediumDir& medium) {
  CopyEntry entry;
  const Message skipped = Say("setup skips the entry");
  switch (CheckCopyEntry(value.c_str(), dirs.systemDir, dirs.windowsDir, &entry)) {
    case kCopyEntryNoFileName:
      ReportAt(place, line, column, kCopyNoFileName, Say("the entry names no file"), skipped);
      return;
    case kCopyEntryFileNameTooLong:
      ReportAt(place, line, column, kCopyFileNameTooLong,
               Say("the file name has more than %u characters",
                   static_cast<unsigned>(kListNameLimit)),
               skipped);
      return;
    case kCopyEntryDestinationTooLong:
      ReportAt(place, line, column, kCopyDestinationTooLong,
               Say("the destination is longer than %u characters (with Windows installed in %s)",
                   static_cast<unsigned>(kDestinationLimit), dirs.windowsDir),
               skipped);
      return;
    case kCopyEntryUsable:
      break;
  }
  CheckWindowsToken(place, line, column, value.c_str(), kCopyEntrySeparators, 1, entry.Destination);
  std::string found;
  switch (FindMediumFile(medium.path, entry.FileName, medium.codePage, &found)) {
    case kRegularFile:
      break;
    case kDirectoryFile:
      ReportAt(
          place, line, column, kCopyFileMissing,
          Say("%s is a directory of the medium, not a file (backslashes separate the words of a "
              "copy entry)",
              Show(entry.FileName).text),
          Say("the copy of this entry fails; a plan of each class says whether the run then ends "
              "with -1"));
      break;
    case kNoFile:
      ReportAt(place, line, column, kCopyFileMissing,
               Say("file %s is not on the medium", Show(entry.FileName).text),
               Say("the copy of this entry fails; a plan of each class says whether the run then "
                   "ends with -1"));
      break;
  }
}

void LintLaunchEntry(const FindingPlace& place, unsigned line, unsigned column,
                     const std::string& value, const ListDirs& dirs, const MediumDir& medium,
                     std::vector<std::string>* countryFiles) {
  LaunchEntry entry;
  const LaunchEntryFault fault =
      CheckLaunchEntry(value.c_str(), kSourceDir, dirs.systemDir, dirs.windowsDir, &entry);
  if (fault != kLaunchEntryUsable) {
    ReportLaunchFault(place, line, column, fault, value.c_str(), dirs);
    return;
  }
  const int fields = CountWords(value.c_str(), kLaunchFieldSeparators);
  if (fields > 2) {
    ReportAt(place, line, column, kLaunchExtraFields,
             Say("the entry has %d fields separated by commas", fields),
             Say("setup ignores every field after the second"));
  }
  bool quoted = false;
  for (int i = 0; i < entry.WordCount && !quoted; ++i) {
    if (strchr(entry.Words[i], '"') == nullptr) continue;
    quoted = true;
    ReportAt(place, line, column, kLaunchQuotes,
             Say("quotation marks do not group the words of a command"),
             Say("setup passes %s as a word of its own, quotation marks included",
                 Show(entry.Words[i]).text));
  }
  CheckWindowsToken(place, line, column, DirectoryField(value.c_str()).c_str(),
                    kLaunchDirectorySeparators, 0, entry.ProgramPath);

  const size_t sourceLength = strlen(kSourceDir);
  if (strncmp(entry.ProgramPath, kSourceDir, sourceLength) != 0) {
    // not taken from the medium: only a name with its extension tells a batch file
    CheckBatchOperators(place, line, column, entry, entry.ProgramPath);
    return;
  }
  std::string found;
  if (!FindMediumProgram(medium, entry.Words[0], &found)) {
    const bool bare = !HasExtension(entry.Words[0]);
    ReportAt(place, line, column, kLaunchProgramMissing,
             Say("program %s is not on the medium%s", Show(entry.Words[0]).text,
                 bare ? ", nor with .com, .exe, .bat or .cmd added" : ""),
             Say("setup skips the entry"));
    return;
  }
  if (CheckBatchOperators(place, line, column, entry, found)) return;
  if (!quoted) CheckCountryFile(place, line, column, entry, found, medium, countryFiles);
}
