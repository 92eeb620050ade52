#include "copy_entry.h"

#include <string.h>

#include "directory_text.h"

static const char* const CopySeparators = " ,\\";

int FormCopyEntry(const char* value, const char* systemDir, const char* windowsDir, CopyEntry* entry) {
  const char* cursor = value;
  if (NextWord(&cursor, CopySeparators, entry->FileName, sizeof entry->FileName) != WordRead) return 0;

  DirectoryText destination;
  char word[ListWordSize];
  WordResult found = NextWord(&cursor, CopySeparators, word, sizeof word);
  if (found == NoMoreWords) {
    StartDirectoryText(&destination, systemDir);
  } else {
    StartAtSystemDrive(&destination, systemDir);
    for (; found == WordRead; found = NextWord(&cursor, CopySeparators, word, sizeof word)) {
      AddToDirectoryText(&destination, "\\");
      if (strcmp(word, WindowsToken) == 0)
        StartDirectoryText(&destination, windowsDir);
      else
        AddToDirectoryText(&destination, word);
    }
    if (found == WordTooLong) return 0;
  }
  return FinishDirectoryText(&destination, entry->Destination, DestinationLimit + 1);
}
