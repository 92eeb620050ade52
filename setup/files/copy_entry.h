// A copy entry of qvsetup.ini: a file name of the source directory and the
// words of its destination directory.
#pragma once
#include "entry_words.h"

const size_t DestinationLimit = 255;  // characters of a formed destination

struct CopyEntry {
  char FileName[ListNameLimit + 1];
  char Destination[DestinationLimit + 1];
};

// The characters that separate the words of a copy entry.
const char* const CopyEntrySeparators = " ,\\";

// Why an entry is refused, or CopyEntryUsable.
enum CopyEntryFault {
  CopyEntryUsable,
  CopyEntryNoFileName,
  CopyEntryFileNameTooLong,     // over ListNameLimit characters
  CopyEntryDestinationTooLong   // over DestinationLimit characters, or a word that fits no path
};

// Splits value into words at runs of space, comma and backslash. The first
// word is the file name. Without further words the destination is
// systemDir; otherwise it starts as the drive of systemDir ("C:") and each
// word adds a backslash and itself, while the word "$windows" (exactly so)
// replaces everything so far by windowsDir.
CopyEntryFault CheckCopyEntry(const char* value, const char* systemDir, const char* windowsDir,
                              CopyEntry* entry);

// CheckCopyEntry as 1 for a usable entry, 0 for a refused one.
int FormCopyEntry(const char* value, const char* systemDir, const char* windowsDir, CopyEntry* entry);
