#include "copy_entry.h"

#include <string.h>

#include "directory_text.h"

CopyEntryFault CheckCopyEntry(const char* value, const char* systemDir, const char* windowsDir,
                              CopyEntry* entry) {
  const char* cursor = value;
  switch (NextWord(&cursor, CopyEntrySeparators, entry->FileName, sizeof entry->FileName)) {
    case NoMoreWords: return CopyEntryNoFileName;
    case WordTooLong: return CopyEntryFileNameTooLong;
    case WordRead: break;
  }

  DirectoryText destination;
  char word[ListWordSize];
  WordResult found = NextWord(&cursor, CopyEntrySeparators, word, sizeof word);
  if (found == NoMoreWords) {
    StartDirectoryText(&destination, systemDir);
  } else {
    StartAtSystemDrive(&destination, systemDir);
    for (; found == WordRead; found = NextWord(&cursor, CopyEntrySeparators, word, sizeof word)) {
      AddToDirectoryText(&destination, "\\");
      if (strcmp(word, WindowsToken) == 0)
        StartDirectoryText(&destination, windowsDir);
      else
        AddToDirectoryText(&destination, word);
    }
    if (found == WordTooLong) return CopyEntryDestinationTooLong;
  }
  return FinishDirectoryText(&destination, entry->Destination, DestinationLimit + 1)
             ? CopyEntryUsable
             : CopyEntryDestinationTooLong;
}

int FormCopyEntry(const char* value, const char* systemDir, const char* windowsDir, CopyEntry* entry) {
  return CheckCopyEntry(value, systemDir, windowsDir, entry) == CopyEntryUsable;
}
