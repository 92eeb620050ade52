#include "source_files.h"

#include <windows.h>
#include <string.h>

#include "../base/log.h"
#include "../base/paths.h"
#include "../base/progress.h"

namespace {

// "." and ".." name the searched directory and its parent, not files in it;
// a pattern such as "*" must not touch them.
bool IsDirectoryAlias(const char* name) {
  return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

// out = infDir, a backslash (always), name; false when it would not fit.
bool InfFilePath(char* out, size_t outSize, const char* infDir, const char* name) {
  return AppendText(out, outSize, infDir, "\\") && AppendText(out, outSize, out, name);
}

}  // namespace

void CopySourceFile(const char* sourceDir, const char* dir, const char* name) {
  char destination[kCopyPathSize], source[kCopyPathSize];
  if (JoinRootAware(destination, sizeof destination, dir, name) &&
      JoinRootAware(source, sizeof source, sourceDir, name)) {
    if (PathExists(destination)) SetNormalAttributes(destination);
    const BOOL copied = CopyFileA(source, destination, FALSE);
    LogOutcome("copy", source, destination, copied ? 0 : GetLastError());
    if (PathExists(destination)) SetNormalAttributes(destination);
  } else {
    LogOutcome("copy", name, dir, ERROR_FILENAME_EXCED_RANGE);
  }
  ProgressStep(1);
}

void CopyMatchingFiles(const char* sourceDir, const char* dir, const char* pattern) {
  char search[kCopyPathSize];
  if (!JoinRootAware(search, sizeof search, sourceDir, pattern)) return;
  WIN32_FIND_DATAA found;
  const HANDLE matches = FindFirstFileA(search, &found);
  if (matches == INVALID_HANDLE_VALUE) return;
  do {
    if (!IsDirectoryAlias(found.cFileName)) CopySourceFile(sourceDir, dir, found.cFileName);
  } while (FindNextFileA(matches, &found));
  FindClose(matches);
}

void DeleteMatchingFiles(const char* dir, const char* pattern) {
  char search[kSetupPathSize];
  if (!JoinPath(search, dir, pattern)) return;
  WIN32_FIND_DATAA found;
  const HANDLE matches = FindFirstFileA(search, &found);
  if (matches == INVALID_HANDLE_VALUE) return;
  do {
    char path[kSetupPathSize];
    if (IsDirectoryAlias(found.cFileName) || !JoinPath(path, dir, found.cFileName) ||
        !PathExists(path))
      continue;
    SetNormalAttributes(path);
    LogOutcome("delete", path, nullptr, DeleteFileA(path) ? 0 : GetLastError());
    ProgressStep(1);
  } while (FindNextFileA(matches, &found));
  FindClose(matches);
}

void RenameInfFile(const char* infDir, const char* oldName, const char* newName) {
  char oldPath[kCopyPathSize], newPath[kCopyPathSize];
  if (!InfFilePath(oldPath, sizeof oldPath, infDir, oldName) ||
      !InfFilePath(newPath, sizeof newPath, infDir, newName)) {
    LogOutcome("rename", oldName, newName, ERROR_FILENAME_EXCED_RANGE);
    return;
  }
  const BOOL moved = MoveFileExA(oldPath, newPath, MOVEFILE_REPLACE_EXISTING);
  LogOutcome("rename", oldPath, newPath, moved ? 0 : GetLastError());
}

namespace {

HANDLE OpenToRead(const char* dir, const char* name) {
  char path[kCopyPathSize];
  if (!JoinRootAware(path, sizeof path, dir, name)) return INVALID_HANDLE_VALUE;
  return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool SameContent(HANDLE a, HANDLE b) {
  if (GetFileSize(a, nullptr) != GetFileSize(b, nullptr)) return false;
  char left[4096], right[4096];
  for (;;) {
    DWORD leftRead = 0, rightRead = 0;
    if (!ReadFile(a, left, sizeof left, &leftRead, nullptr) ||
        !ReadFile(b, right, sizeof right, &rightRead, nullptr) || leftRead != rightRead ||
        memcmp(left, right, leftRead) != 0)
      return false;
    if (leftRead == 0) return true;
  }
}

}  // namespace

bool IsCopyOfSourceFile(const char* sourceDir, const char* dir, const char* name) {
  const HANDLE source = OpenToRead(sourceDir, name);
  const HANDLE copy = OpenToRead(dir, name);
  const bool same = source != INVALID_HANDLE_VALUE && copy != INVALID_HANDLE_VALUE &&
                    SameContent(source, copy);
  if (source != INVALID_HANDLE_VALUE) CloseHandle(source);
  if (copy != INVALID_HANDLE_VALUE) CloseHandle(copy);
  return same;
}
