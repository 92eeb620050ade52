#include "source_copy.h"

#include <windows.h>

#include "../control/progress.h"
#include "file_attributes.h"
#include "path_text.h"
#include "setup_paths.h"

void CopySourceFile(const char* dir, const char* name) {
  char destination[CopyPathSize], source[CopyPathSize];
  if (JoinRootAware(destination, sizeof destination, dir, name) &&
      JoinRootAware(source, sizeof source, SetupPaths.SourceDir, name)) {
    if (PathExists(destination)) SetNormalAttributes(destination);
    CopyFileA(source, destination, FALSE);
    if (PathExists(destination)) SetNormalAttributes(destination);
  }
  ProgressStep(1);
}

// out = InfDir, a backslash (always), name; 0 when it would not fit.
static int InfFilePath(char* out, size_t outSize, const char* name) {
  return AppendText(out, outSize, SetupPaths.InfDir, "\\") && AppendText(out, outSize, out, name);
}

void RenameInfFile(const char* oldName, const char* newName) {
  char oldPath[CopyPathSize], newPath[CopyPathSize];
  if (!InfFilePath(oldPath, sizeof oldPath, oldName) || !InfFilePath(newPath, sizeof newPath, newName))
    return;
  MoveFileExA(oldPath, newPath, MOVEFILE_REPLACE_EXISTING);
}
