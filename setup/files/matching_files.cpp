#include "matching_files.h"

#include <windows.h>
#include <string.h>

#include "../control/install_log.h"
#include "../control/progress.h"
#include "file_attributes.h"
#include "path_text.h"
#include "setup_paths.h"
#include "source_copy.h"

// "." and ".." name the searched directory and its parent, not files in it;
// a pattern such as "*" must not touch them.
static bool IsDirectoryAlias(const char* name) { return strcmp(name, ".") == 0 || strcmp(name, "..") == 0; }

void CopyMatchingFiles(const char* dir, const char* pattern) {
  char search[CopyPathSize];
  if (!JoinRootAware(search, sizeof search, SetupPaths.SourceDir, pattern)) return;
  WIN32_FIND_DATAA found;
  const HANDLE matches = FindFirstFileA(search, &found);
  if (matches == INVALID_HANDLE_VALUE) return;
  do {
    if (!IsDirectoryAlias(found.cFileName)) CopySourceFile(dir, found.cFileName);
  } while (FindNextFileA(matches, &found));
  FindClose(matches);
}

void DeleteMatchingFiles(const char* dir, const char* pattern) {
  char search[SetupPathSize];
  if (!JoinPath(search, dir, pattern)) return;
  WIN32_FIND_DATAA found;
  const HANDLE matches = FindFirstFileA(search, &found);
  if (matches == INVALID_HANDLE_VALUE) return;
  do {
    char path[SetupPathSize];
    if (IsDirectoryAlias(found.cFileName) || !JoinPath(path, dir, found.cFileName) || !PathExists(path))
      continue;
    SetNormalAttributes(path);
    LogOutcome("delete", path, nullptr, DeleteFileA(path) ? 0 : GetLastError());
    ProgressStep(1);
  } while (FindNextFileA(matches, &found));
  FindClose(matches);
}
