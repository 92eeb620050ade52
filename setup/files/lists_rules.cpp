#include "lists_rules.h"

#include <string.h>

#include "../base/platform.h"

const char* CopyListSection(OsClass osClass) {
  if (osClass == kOsClassNT4) return "COPY_FILES_NT";
  if (IsWindows9xClass(osClass)) return "COPY_FILES_9X";
  return nullptr;
}

const char* LaunchListSection(OsClass osClass) {
  if (osClass == kOsClassNT4) return "LAUNCH_FILES_NT";
  if (osClass == kOsClassWin2000) return "LAUNCH_FILES_Win2K";
  if (IsWindows9xClass(osClass)) return "LAUNCH_FILES_9X";
  return nullptr;
}

size_t WholeKeyListLength(const char* list, size_t returned, size_t listSize, bool nineXFamily) {
  if (listSize < 2 || returned + 2 < listSize) return returned;
  size_t end = listSize - 2;
  if (nineXFamily && end > 0) --end;  // the cut name's own terminator
  while (end > 0 && list[end - 1] != '\0') --end;
  return end;
}

WordResult NextWord(const char** cursor, const char* separators, char* word, size_t wordSize) {
  const char* start = *cursor + strspn(*cursor, separators);
  const size_t length = strcspn(start, separators);
  *cursor = start + length;
  if (wordSize > 0) word[0] = '\0';
  if (length == 0) return kNoMoreWords;
  if (length >= wordSize) return kWordTooLong;
  memcpy(word, start, length);
  word[length] = '\0';
  return kWordRead;
}

void StartDirectoryText(DirectoryText* path, const char* dir) {
  path->Overflowed = !CopyWholeText(path->Text, sizeof path->Text, dir);
}

void StartAtSystemDrive(DirectoryText* path, const char* systemDir) {
  const size_t length = strlen(systemDir) < 2 ? strlen(systemDir) : 2;
  memcpy(path->Text, systemDir, length);
  path->Text[length] = '\0';
  path->Overflowed = false;
}

void AddToDirectoryText(DirectoryText* path, const char* text) {
  if (!path->Overflowed)
    path->Overflowed = !AppendText(path->Text, sizeof path->Text, path->Text, text);
}

bool FinishDirectoryText(const DirectoryText* path, char* out, size_t outSize) {
  if (outSize == 0) return false;
  if (path->Overflowed) {
    out[0] = '\0';
    return false;
  }
  return CopyWholeText(out, outSize, path->Text);
}

CopyEntryFault CheckCopyEntry(const char* value, const char* systemDir, const char* windowsDir,
                              CopyEntry* entry) {
  const char* cursor = value;
  switch (NextWord(&cursor, kCopyEntrySeparators, entry->FileName, sizeof entry->FileName)) {
    case kNoMoreWords:
      return kCopyEntryNoFileName;
    case kWordTooLong:
      return kCopyEntryFileNameTooLong;
    case kWordRead:
      break;
  }

  DirectoryText destination;
  char word[kListWordSize];
  WordResult found = NextWord(&cursor, kCopyEntrySeparators, word, sizeof word);
  if (found == kNoMoreWords) {
    StartDirectoryText(&destination, systemDir);
  } else {
    StartAtSystemDrive(&destination, systemDir);
    for (; found == kWordRead; found = NextWord(&cursor, kCopyEntrySeparators, word, sizeof word)) {
      AddToDirectoryText(&destination, "\\");
      if (strcmp(word, kWindowsToken) == 0)
        StartDirectoryText(&destination, windowsDir);
      else
        AddToDirectoryText(&destination, word);
    }
    if (found == kWordTooLong) return kCopyEntryDestinationTooLong;
  }
  return FinishDirectoryText(&destination, entry->Destination, kDestinationLimit + 1)
             ? kCopyEntryUsable
             : kCopyEntryDestinationTooLong;
}

bool FormCopyEntry(const char* value, const char* systemDir, const char* windowsDir,
                   CopyEntry* entry) {
  return CheckCopyEntry(value, systemDir, windowsDir, entry) == kCopyEntryUsable;
}

namespace {

LaunchEntryFault SplitCommand(const char* command, LaunchEntry* entry) {
  const char* cursor = command;
  entry->WordCount = 0;
  char word[kListWordSize];
  for (;;) {
    const WordResult found = NextWord(&cursor, kLaunchCommandSeparators, word, sizeof word);
    if (found == kNoMoreWords) break;
    if (found == kWordTooLong) return kLaunchEntryPathTooLong;
    if (entry->WordCount == kLaunchWordLimit) return kLaunchEntryTooManyWords;
    memcpy(entry->Words[entry->WordCount++], word, strlen(word) + 1);
  }
  if (entry->WordCount == 0) return kLaunchEntryNoProgram;
  if (strlen(entry->Words[0]) > kListNameLimit) return kLaunchEntryProgramNameTooLong;
  return kLaunchEntryUsable;
}

void FormProgramDirectory(DirectoryText* path, const char* field, const char* systemDir,
                          const char* windowsDir) {
  StartAtSystemDrive(path, systemDir);
  AddToDirectoryText(path, "\\");
  const char* cursor = field;
  char word[kListWordSize];
  WordResult found;
  while ((found = NextWord(&cursor, kLaunchDirectorySeparators, word, sizeof word)) !=
         kNoMoreWords) {
    if (found == kWordTooLong) {
      path->Overflowed = true;
      return;
    }
    if (strcmp(word, kWindowsToken) == 0)
      StartDirectoryText(path, windowsDir);
    else
      AddToDirectoryText(path, word);
    AddToDirectoryText(path, "\\");
  }
}

}  // namespace

LaunchEntryFault CheckLaunchEntry(const char* value, const char* sourceDir, const char* systemDir,
                                  const char* windowsDir, LaunchEntry* entry) {
  const char* cursor = value;
  char command[kListWordSize], directory[kListWordSize];
  switch (NextWord(&cursor, kLaunchFieldSeparators, command, sizeof command)) {
    case kNoMoreWords:
      return kLaunchEntryNoProgram;
    case kWordTooLong:
      return kLaunchEntryPathTooLong;
    case kWordRead:
      break;
  }
  const WordResult directoryField =
      NextWord(&cursor, kLaunchFieldSeparators, directory, sizeof directory);
  if (directoryField == kWordTooLong) return kLaunchEntryPathTooLong;
  const LaunchEntryFault commandFault = SplitCommand(command, entry);
  if (commandFault != kLaunchEntryUsable) return commandFault;

  DirectoryText path;
  if (directoryField == kNoMoreWords) {
    StartDirectoryText(&path, sourceDir);
    AddToDirectoryText(&path, "\\");
  } else {
    FormProgramDirectory(&path, directory, systemDir, windowsDir);
  }
  AddToDirectoryText(&path, entry->Words[0]);
  return FinishDirectoryText(&path, entry->ProgramPath, sizeof entry->ProgramPath)
             ? kLaunchEntryUsable
             : kLaunchEntryPathTooLong;
}

bool FormLaunchEntry(const char* value, const char* sourceDir, const char* systemDir,
                     const char* windowsDir, LaunchEntry* entry) {
  return CheckLaunchEntry(value, sourceDir, systemDir, windowsDir, entry) == kLaunchEntryUsable;
}
