#include "source_copy.h"

#include <windows.h>

#include "../control/install_log.h"
#include "../control/progress.h"
#include "file_attributes.h"
#include "path_text.h"
#include "setup_paths.h"

void CopySourceFile(const char* dir, const char* name) {
  char destination[CopyPathSize], source[CopyPathSize];
  if (JoinRootAware(destination, sizeof destination, dir, name) &&
      JoinRootAware(source, sizeof source, SetupPaths.SourceDir, name)) {
    if (PathExists(destination)) SetNormalAttributes(destination);
    const BOOL copied = CopyFileA(source, destination, FALSE);
    LogOutcome("copy", source, destination, copied ? 0 : GetLastError());
    if (PathExists(destination)) SetNormalAttributes(destination);
  } else {
    LogOutcome("copy", name, dir, ERROR_FILENAME_EXCED_RANGE);
  }
  ProgressStep(1);
}

// out = InfDir, a backslash (always), name; 0 when it would not fit.
static int InfFilePath(char* out, size_t outSize, const char* name) {
  return AppendText(out, outSize, SetupPaths.InfDir, "\\") && AppendText(out, outSize, out, name);
}

void RenameInfFile(const char* oldName, const char* newName) {
  char oldPath[CopyPathSize], newPath[CopyPathSize];
  if (!InfFilePath(oldPath, sizeof oldPath, oldName) ||
      !InfFilePath(newPath, sizeof newPath, newName)) {
    LogOutcome("rename", oldName, newName, ERROR_FILENAME_EXCED_RANGE);
    return;
  }
  const BOOL moved = MoveFileExA(oldPath, newPath, MOVEFILE_REPLACE_EXISTING);
  LogOutcome("rename", oldPath, newPath, moved ? 0 : GetLastError());
}
