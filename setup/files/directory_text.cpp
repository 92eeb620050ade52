#include "directory_text.h"

#include <string.h>

void StartDirectoryText(DirectoryText* path, const char* dir) {
  path->Overflowed = !AppendText(path->Text, sizeof path->Text, dir, "");
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

int FinishDirectoryText(const DirectoryText* path, char* out, size_t outSize) {
  if (outSize == 0) return 0;
  if (path->Overflowed) {
    out[0] = '\0';
    return 0;
  }
  return AppendText(out, outSize, path->Text, "");
}
