#include "launch_entry.h"

#include <string.h>

#include "directory_text.h"

static LaunchEntryFault SplitCommand(const char* command, LaunchEntry* entry) {
  const char* cursor = command;
  entry->WordCount = 0;
  char word[ListWordSize];
  for (;;) {
    const WordResult found = NextWord(&cursor, LaunchCommandSeparators, word, sizeof word);
    if (found == NoMoreWords) break;
    if (found == WordTooLong) return LaunchEntryPathTooLong;
    if (entry->WordCount == LaunchWordLimit) return LaunchEntryTooManyWords;
    memcpy(entry->Words[entry->WordCount++], word, strlen(word) + 1);
  }
  if (entry->WordCount == 0) return LaunchEntryNoProgram;
  if (strlen(entry->Words[0]) > ListNameLimit) return LaunchEntryProgramNameTooLong;
  return LaunchEntryUsable;
}

static void FormProgramDirectory(DirectoryText* path, const char* field, const char* systemDir,
                                 const char* windowsDir) {
  StartAtSystemDrive(path, systemDir);
  AddToDirectoryText(path, "\\");
  const char* cursor = field;
  char word[ListWordSize];
  WordResult found;
  while ((found = NextWord(&cursor, LaunchDirectorySeparators, word, sizeof word)) != NoMoreWords) {
    if (found == WordTooLong) {
      path->Overflowed = true;
      return;
    }
    if (strcmp(word, WindowsToken) == 0)
      StartDirectoryText(path, windowsDir);
    else
      AddToDirectoryText(path, word);
    AddToDirectoryText(path, "\\");
  }
}

LaunchEntryFault CheckLaunchEntry(const char* value, const char* sourceDir, const char* systemDir,
                                  const char* windowsDir, LaunchEntry* entry) {
  const char* cursor = value;
  char command[ListWordSize], directory[ListWordSize];
  switch (NextWord(&cursor, LaunchFieldSeparators, command, sizeof command)) {
    case NoMoreWords: return LaunchEntryNoProgram;
    case WordTooLong: return LaunchEntryPathTooLong;
    case WordRead: break;
  }
  const WordResult directoryField = NextWord(&cursor, LaunchFieldSeparators, directory, sizeof directory);
  if (directoryField == WordTooLong) return LaunchEntryPathTooLong;
  const LaunchEntryFault commandFault = SplitCommand(command, entry);
  if (commandFault != LaunchEntryUsable) return commandFault;

  DirectoryText path;
  if (directoryField == NoMoreWords) {
    StartDirectoryText(&path, sourceDir);
    AddToDirectoryText(&path, "\\");
  } else {
    FormProgramDirectory(&path, directory, systemDir, windowsDir);
  }
  AddToDirectoryText(&path, entry->Words[0]);
  return FinishDirectoryText(&path, entry->ProgramPath, sizeof entry->ProgramPath)
             ? LaunchEntryUsable
             : LaunchEntryPathTooLong;
}

int FormLaunchEntry(const char* value, const char* sourceDir, const char* systemDir,
                    const char* windowsDir, LaunchEntry* entry) {
  return CheckLaunchEntry(value, sourceDir, systemDir, windowsDir, entry) == LaunchEntryUsable;
}
