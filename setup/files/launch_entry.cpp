#include "launch_entry.h"

#include <string.h>

#include "directory_text.h"

static int SplitCommand(const char* command, LaunchEntry* entry) {
  const char* cursor = command;
  entry->WordCount = 0;
  char word[ListWordSize];
  for (;;) {
    const WordResult found = NextWord(&cursor, " ", word, sizeof word);
    if (found == NoMoreWords) break;
    if (found == WordTooLong || entry->WordCount == LaunchWordLimit) return 0;
    memcpy(entry->Words[entry->WordCount++], word, strlen(word) + 1);
  }
  return entry->WordCount > 0 && strlen(entry->Words[0]) <= ListNameLimit;
}

static void FormProgramDirectory(DirectoryText* path, const char* field, const char* systemDir,
                                 const char* windowsDir) {
  StartAtSystemDrive(path, systemDir);
  AddToDirectoryText(path, "\\");
  const char* cursor = field;
  char word[ListWordSize];
  WordResult found;
  while ((found = NextWord(&cursor, " \\", word, sizeof word)) != NoMoreWords) {
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

int FormLaunchEntry(const char* value, const char* sourceDir, const char* systemDir,
                    const char* windowsDir, LaunchEntry* entry) {
  const char* cursor = value;
  char command[ListWordSize], directory[ListWordSize];
  if (NextWord(&cursor, ",", command, sizeof command) != WordRead) return 0;
  const WordResult directoryField = NextWord(&cursor, ",", directory, sizeof directory);
  if (directoryField == WordTooLong) return 0;
  if (!SplitCommand(command, entry)) return 0;

  DirectoryText path;
  if (directoryField == NoMoreWords) {
    StartDirectoryText(&path, sourceDir);
    AddToDirectoryText(&path, "\\");
  } else {
    FormProgramDirectory(&path, directory, systemDir, windowsDir);
  }
  AddToDirectoryText(&path, entry->Words[0]);
  return FinishDirectoryText(&path, entry->ProgramPath, sizeof entry->ProgramPath);
}
