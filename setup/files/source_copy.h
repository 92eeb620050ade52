// Copying one file of the source directory, and renaming in the INF directory.
#pragma once

// Bytes of the source and destination paths of one copy or rename.
const unsigned CopyPathSize = 256;

// Copies the file name of SourceDir into dir (root-aware joining, so that a
// drive root takes the name directly), overwriting a read-only destination
// and leaving it with normal attributes. One progress step, whether or not
// the copy succeeded; a path that would not fit is not copied.
void CopySourceFile(const char* dir, const char* name);

// Renames InfDir\oldName to InfDir\newName at once, replacing a file of the
// new name. A failure (no old file) is ignored.
void RenameInfFile(const char* oldName, const char* newName);
