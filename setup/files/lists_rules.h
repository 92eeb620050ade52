// The copy and launch lists of qvsetup.ini as text: which sections hold
// them, how an entry splits into words, and how a copy entry's destination
// and a launch entry's program path and argument vector are formed.
#ifndef SETUP_FILES_LISTS_RULES_H
#define SETUP_FILES_LISTS_RULES_H

#include <stddef.h>

#include "../base/paths_rules.h"
#include "../base/platform.h"

// Which sections of qvsetup.ini hold the copy and launch lists, and which
// key names of a section the profile reader delivered whole.

const size_t kKeyListSize = 2048;  // bytes for the key names of one list section

// The copy list section of a platform class; null where no copy list exists
// (Windows 2000, an unknown platform).
const char* CopyListSection(OsClass osClass);

// The launch list section of a platform class; null for an unknown platform.
const char* LaunchListSection(OsClass osClass);

// The key names of a section arrive as NUL-terminated names one after the
// other; returned is the reader's result for a buffer of listSize bytes.
// When the names filled the buffer (returned is listSize - 2) the reader
// has cut the last one, which could then name another key: it is dropped.
// NT keeps of it what room is left, up to returned; the 9x family keeps one
// character less and terminates it before returned, where it looks whole.
// Returns how many bytes from the start hold whole names.
size_t WholeKeyListLength(const char* list, size_t returned, size_t listSize, bool nineXFamily);

// Splitting the entries of the copy and launch lists into words.

// Bounds of a list entry in qvsetup.ini.
const size_t kListValueLimit = 255;  // characters of one value
const size_t kListNameLimit = 127;   // characters of a key name, a file name or a program name
const size_t kListWordSize = kListValueLimit + 1;  // a buffer that holds any word of a value

enum WordResult { kNoMoreWords, kWordRead, kWordTooLong };

// Skips any run of the separator characters at *cursor, then copies the
// word up to the next separator into word (wordSize bytes) and moves
// *cursor past it. A word that does not fit is refused (kWordTooLong, word
// empty) rather than cut.
WordResult NextWord(const char** cursor, const char* separators, char* word, size_t wordSize);

// A path formed word by word from a list entry, in which the word
// "$windows" starts the path afresh at the Windows directory. Only the
// finished path counts against a limit: text dropped by a later "$windows"
// may have been longer.

// The word that stands for the Windows directory; compared case-sensitively.
const char* const kWindowsToken = "$windows";

struct DirectoryText {
  char Text[kSetupPathSize];
  bool Overflowed;  // something did not fit since the last start
};

// Starts the path as dir.
void StartDirectoryText(DirectoryText* path, const char* dir);

// Starts the path as the drive of systemDir: its first two characters ("C:").
void StartAtSystemDrive(DirectoryText* path, const char* systemDir);

void AddToDirectoryText(DirectoryText* path, const char* text);

// Copies the finished path into out. False, with out empty, when it is
// longer than outSize - 1 characters.
bool FinishDirectoryText(const DirectoryText* path, char* out, size_t outSize);

// A copy entry of qvsetup.ini: a file name of the source directory and the
// words of its destination directory.

const size_t kDestinationLimit = 255;  // characters of a formed destination

struct CopyEntry {
  char FileName[kListNameLimit + 1];
  char Destination[kDestinationLimit + 1];
};

// The characters that separate the words of a copy entry.
const char* const kCopyEntrySeparators = " ,\\";

// Why an entry is refused, or kCopyEntryUsable.
enum CopyEntryFault {
  kCopyEntryUsable,
  kCopyEntryNoFileName,
  kCopyEntryFileNameTooLong,    // over kListNameLimit characters
  kCopyEntryDestinationTooLong  // over kDestinationLimit characters, or a word that fits no path
};

// Splits value into words at runs of space, comma and backslash. The first
// word is the file name. Without further words the destination is
// systemDir; otherwise it starts as the drive of systemDir ("C:") and each
// word adds a backslash and itself, while the word "$windows" (exactly so)
// replaces everything so far by windowsDir.
CopyEntryFault CheckCopyEntry(const char* value, const char* systemDir, const char* windowsDir,
                              CopyEntry* entry);

// Whether CheckCopyEntry finds the entry usable.
bool FormCopyEntry(const char* value, const char* systemDir, const char* windowsDir,
                   CopyEntry* entry);

// A launch entry of qvsetup.ini: the program to start, where it lies, and
// the argument vector it is started with.

const int kLaunchWordLimit = 9;  // the program name and at most eight arguments

struct LaunchEntry {
  char ProgramPath[kSetupPathSize];             // at most 259 characters
  char Words[kLaunchWordLimit][kListWordSize];  // the program name as written, then its arguments
  int WordCount;
};

// The characters that separate the fields of a launch entry, the words of
// its command and the words of its directory field.
const char* const kLaunchFieldSeparators = ",";
const char* const kLaunchCommandSeparators = " ";
const char* const kLaunchDirectorySeparators = " \\";

// Why an entry is refused, or kLaunchEntryUsable.
enum LaunchEntryFault {
  kLaunchEntryUsable,
  kLaunchEntryNoProgram,
  kLaunchEntryProgramNameTooLong,  // over kListNameLimit characters
  kLaunchEntryTooManyWords,        // over kLaunchWordLimit
  kLaunchEntryPathTooLong          // over 259 characters, or a field or word that fits no buffer
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

// Whether CheckLaunchEntry finds the entry usable.
bool FormLaunchEntry(const char* value, const char* sourceDir, const char* systemDir,
                     const char* windowsDir, LaunchEntry* entry);

#endif
