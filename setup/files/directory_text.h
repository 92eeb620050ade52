// A path formed word by word from a list entry, in which the word
// "$windows" starts the path afresh at the Windows directory. Only the
// finished path counts against a limit: text dropped by a later "$windows"
// may have been longer.
#pragma once
#include <stddef.h>

#include "path_text.h"

// The word that stands for the Windows directory; compared case-sensitively.
const char* const WindowsToken = "$windows";

struct DirectoryText {
  char Text[SetupPathSize];
  bool Overflowed;  // something did not fit since the last start
};

// Starts the path as dir.
void StartDirectoryText(DirectoryText* path, const char* dir);

// Starts the path as the drive of systemDir: its first two characters ("C:").
void StartAtSystemDrive(DirectoryText* path, const char* systemDir);

void AddToDirectoryText(DirectoryText* path, const char* text);

// Copies the finished path into out. Returns 1, or 0 with out empty when
// it is longer than outSize - 1 characters.
int FinishDirectoryText(const DirectoryText* path, char* out, size_t outSize);
