// A launch entry of qvsetup.ini: the program to start, where it lies, and
// the argument vector it is started with.
#pragma once
#include "entry_words.h"
#include "path_text.h"

const int LaunchWordLimit = 9;  // the program name and at most eight arguments

struct LaunchEntry {
  char ProgramPath[SetupPathSize];  // at most 259 characters
  char Words[LaunchWordLimit][ListWordSize];  // the program name as written, then its arguments
  int WordCount;
};

// The characters that separate the fields of a launch entry, the words of
// its command and the words of its directory field.
const char* const LaunchFieldSeparators = ",";
const char* const LaunchCommandSeparators = " ";
const char* const LaunchDirectorySeparators = " \\";

// Why an entry is refused, or LaunchEntryUsable.
enum LaunchEntryFault {
  LaunchEntryUsable,
  LaunchEntryNoProgram,
  LaunchEntryProgramNameTooLong,  // over ListNameLimit characters
  LaunchEntryTooManyWords,        // over LaunchWordLimit
  LaunchEntryPathTooLong          // over 259 characters, or a field or word that fits no buffer
};

// Splits value into fields at commas (runs of commas count as one, leading
// ones are skipped): the command and, optionally, the directory; further
// fields are ignored. The command is split into words at spaces; quotation
// marks do not group them. Without a directory field the program lies in
// sourceDir (always followed by a backslash); with one, the path starts at
// the drive of systemDir, and each word of the field (split at spaces and
// backslashes) is added with a backslash after it, "$windows" (exactly so)
// starting the path afresh at windowsDir.
LaunchEntryFault CheckLaunchEntry(const char* value, const char* sourceDir, const char* systemDir,
                                  const char* windowsDir, LaunchEntry* entry);

// CheckLaunchEntry as 1 for a usable entry, 0 for a refused one.
int FormLaunchEntry(const char* value, const char* sourceDir, const char* systemDir,
                    const char* windowsDir, LaunchEntry* entry);
