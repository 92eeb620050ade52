// The file primitives on which all copying and deletion rest: one file of
// the source directory copied, files matching a pattern copied or deleted,
// a file of the INF directory renamed. Each file is one progress step.
#ifndef SETUP_FILES_SOURCE_FILES_H
#define SETUP_FILES_SOURCE_FILES_H

#include "../base/host.h"

// The file beside a destination that a copy fills before it takes the
// destination's place, and the name under which the earlier file waits on
// the 9x family until it has.
const char kCopyingName[] = "~qvcopy.tmp";
const char kEarlierName[] = "~qvold.tmp";

// Copies the file name of sourceDir into dir (root-aware joining, so that a
// drive root takes the name directly), overwriting a read-only destination
// and leaving it with normal attributes. The copy fills a file beside the
// destination first, so that a copy that fails leaves the earlier file
// byte for byte; a failure fails the run (FailChange).
// One progress step, whether or not the copy succeeded; a path that would
// not fit is not copied.
void CopySourceFile(Host& host, const char* sourceDir, const char* dir, const char* name);

// Copies every file of sourceDir that matches pattern into dir, each with
// CopySourceFile. No match copies nothing.
void CopyMatchingFiles(Host& host, const char* sourceDir, const char* dir, const char* pattern);

// Deletes every file of dir that matches pattern, read-only ones included.
// One progress step per match that exists, also when it can not be deleted
// (a directory, a file in use).
void DeleteMatchingFiles(Host& host, const char* dir, const char* pattern);

// Renames infDir\oldName to infDir\newName at once, replacing a file of the
// new name; the status of the rename (kStatusFileNotFound: no old file).
SystemStatus RenameInfFile(Host& host, const char* infDir, const char* oldName,
                           const char* newName);

enum SourceFileCopy {
  kCopyOfSourceFile,    // dir holds exactly the content of sourceDir's file
  kNoCopyOfSourceFile,  // dir holds none, or another content
  kCopyUnknown          // a file that can not be read keeps the answer
};

// Whether dir holds the file name with exactly the content of the one in
// sourceDir: what CopySourceFile left there.
SourceFileCopy CompareWithSourceFile(System& system, const char* sourceDir, const char* dir,
                                     const char* name);

#endif
