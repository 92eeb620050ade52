#include "source_files.h"

#include <string.h>

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

namespace {

const char kNoSuchDirectory[] = "the directory does not exist on this Windows";

// The files that a copy fills or sets aside beside its destination: a copy
// that fails part-way leaves the earlier file as it was.
struct CopyPaths {
  char Source[kCopyPathSize];
  char Destination[kCopyPathSize];
  char Copy[kCopyPathSize];
  char Earlier[kCopyPathSize];
};

// Removes what a run cut off during a copy left under a name of the copy.
void RemoveLeftover(System& system, const char* path) {
  if (!PathExists(system, path)) return;
  SetNormalAttributes(system, path);
  system.RemoveFile(path);
}

// Puts the finished copy in the destination's place: in one step where the
// system can replace a file. The 9x family can not: there the earlier file
// steps aside, the copy takes its place and only then does the earlier
// file go; a copy that can not take the place puts the earlier file back.
// A run cut in between leaves the copy or the earlier file beside the
// destination, and its next run copies again. *setAside tells whether the
// earlier file stepped aside.
SystemStatus ReplaceWithCopy(System& system, const CopyPaths& paths, bool* setAside) {
  const SystemStatus replaced = system.RenameReplacing(paths.Copy, paths.Destination);
  if (replaced != kStatusCallNotImplemented) return replaced;
  const bool earlier = PathExists(system, paths.Destination);
  if (earlier) {
    const SystemStatus aside = system.RenameFile(paths.Destination, paths.Earlier);
    if (aside != kStatusSuccess) return aside;
    *setAside = true;
  }
  const SystemStatus placed = system.RenameFile(paths.Copy, paths.Destination);
  if (placed != kStatusSuccess) {
    if (earlier) system.RenameFile(paths.Earlier, paths.Destination);
    return placed;
  }
  return earlier ? system.RemoveFile(paths.Earlier) : kStatusSuccess;
}

// Copies source over destination through the copy beside it; the status
// of the first step that failed.
SystemStatus CopyThroughCopy(System& system, const CopyPaths& paths, bool* setAside) {
  RemoveLeftover(system, paths.Copy);
  RemoveLeftover(system, paths.Earlier);
  SystemStatus status = system.CopyOneFile(paths.Source, paths.Copy);
  // The copy takes the source's attributes (a CD's files are read-only):
  // it is made normal before it takes the destination's place. One that
  // can not be made normal still takes it, as the earlier file may be gone
  // already, but the copy counts as failed.
  SystemStatus attributes = kStatusSuccess;
  if (status == kStatusSuccess) {
    attributes = system.SetAttributes(paths.Copy, kAttributeNormal);
    if (PathExists(system, paths.Destination)) SetNormalAttributes(system, paths.Destination);
    status = ReplaceWithCopy(system, paths, setAside);
  }
  if (status == kStatusSuccess) status = attributes;
  if (status != kStatusSuccess && PathExists(system, paths.Copy)) system.RemoveFile(paths.Copy);
  return status;
}

// A destination directory that this machine does not have (the 9x sets'
// INF\catalog on most machines) takes nothing, as ever; any other copy
// that fails fails the run.
void JudgeCopyFailure(System& system, const char* dir, RunEvent* copied) {
  if (copied->status == kStatusSuccess) return;
  copied->failsRun = PathExists(system, dir);
  if (!copied->failsRun) copied->passedOver = kNoSuchDirectory;
}

}  // namespace

void CopySourceFile(Host& host, const char* sourceDir, const char* dir, const char* name) {
  System& system = *host.system;
  CopyPaths paths;
  RunEvent copied = OutcomeEvent(kEventFileCopied, name, dir, kStatusFilenameTooLong);
  copied.skipped = true;
  if (JoinRootAware(paths.Destination, kCopyPathSize, dir, name) &&
      JoinRootAware(paths.Source, kCopyPathSize, sourceDir, name) &&
      JoinRootAware(paths.Copy, kCopyPathSize, dir, kCopyingName) &&
      JoinRootAware(paths.Earlier, kCopyPathSize, dir, kEarlierName)) {
    bool setAside = false;
    copied = OutcomeEvent(kEventFileCopied, paths.Source, paths.Destination,
                          CopyThroughCopy(system, paths, &setAside));
    copied.through = paths.Copy;
    copied.aside = setAside ? paths.Earlier : nullptr;
    JudgeCopyFailure(system, dir, &copied);
    TellListeners(host, copied);
    // A copy in place is normal already; the file that a failed one left
    // is made normal all the same, as before a copy.
    if (copied.status != kStatusSuccess && PathExists(system, paths.Destination))
      SetNormalAttributes(system, paths.Destination);
  } else {
    JudgeCopyFailure(system, dir, &copied);
    TellListeners(host, copied);
  }
  if (copied.failsRun) FailChange(host);
  ProgressStep(host, 1);
}

void CopyMatchingFiles(Host& host, const char* sourceDir, const char* dir, const char* pattern) {
  System& system = *host.system;
  char search[kCopyPathSize];
  if (!JoinRootAware(search, sizeof search, sourceDir, pattern)) return;
  char found[kFoundNameSize];
  SearchHandle matches;
  SystemStatus status = system.FindFirstMatch(search, &matches, found);
  if (status == kStatusSuccess) {
    do {
      if (!IsDirectoryAlias(found)) CopySourceFile(host, sourceDir, dir, found);
      status = system.FindNextMatch(matches, found);
    } while (status == kStatusSuccess);
    system.EndSearch(matches);
  }
  // A search of the medium that stops before its end leaves files of the
  // set uncopied: the run fails, as for a copy that fails.
  if (status == kStatusFileNotFound || status == kStatusNoMoreFiles) return;
  RunEvent stopped = OutcomeEvent(kEventSearchStopped, search, dir, status);
  JudgeCopyFailure(system, dir, &stopped);
  TellListeners(host, stopped);
  if (stopped.failsRun) FailChange(host);
}

void DeleteMatchingFiles(Host& host, const char* dir, const char* pattern) {
  System& system = *host.system;
  char search[kSetupPathSize];
  if (!JoinPath(search, dir, pattern)) return;
  char found[kFoundNameSize];
  SearchHandle matches;
  if (system.FindFirstMatch(search, &matches, found) != kStatusSuccess) return;
  do {
    char path[kSetupPathSize];
    if (IsDirectoryAlias(found) || !JoinPath(path, dir, found) || !PathExists(system, path))
      continue;
    SetNormalAttributes(system, path);
    TellOutcome(host, kEventFileDeleted, path, nullptr, system.RemoveFile(path));
    ProgressStep(host, 1);
  } while (system.FindNextMatch(matches, found) == kStatusSuccess);
  system.EndSearch(matches);
}

SystemStatus RenameInfFile(Host& host, const char* infDir, const char* oldName,
                           const char* newName) {
  char oldPath[kCopyPathSize], newPath[kCopyPathSize];
  if (InfFilePath(oldPath, sizeof oldPath, infDir, oldName) &&
      InfFilePath(newPath, sizeof newPath, infDir, newName))
    return TellOutcome(host, kEventFileRenamed, oldPath, newPath,
                       host.system->RenameReplacing(oldPath, newPath));
  RunEvent renamed = OutcomeEvent(kEventFileRenamed, oldName, newName, kStatusFilenameTooLong);
  renamed.skipped = true;
  TellListeners(host, renamed);
  return renamed.status;
}

namespace {

// Opens dir\name; the status of the open.
SystemStatus OpenToRead(System& system, const char* dir, const char* name, FileHandle* file) {
  char path[kCopyPathSize];
  *file = nullptr;
  if (!JoinRootAware(path, sizeof path, dir, name)) return kStatusFilenameTooLong;
  return system.OpenFileToRead(path, file);
}

SourceFileCopy CompareContent(System& system, FileHandle a, FileHandle b) {
  if (system.FileSize(a) != system.FileSize(b)) return kNoCopyOfSourceFile;
  char left[4096], right[4096];
  for (;;) {
    unsigned long leftRead = 0, rightRead = 0;
    if (system.ReadFromFile(a, left, sizeof left, &leftRead) != kStatusSuccess ||
        system.ReadFromFile(b, right, sizeof right, &rightRead) != kStatusSuccess)
      return kCopyUnknown;
    if (leftRead != rightRead || memcmp(left, right, leftRead) != 0) return kNoCopyOfSourceFile;
    if (leftRead == 0) return kCopyOfSourceFile;
  }
}

}  // namespace

SourceFileCopy CompareWithSourceFile(System& system, const char* sourceDir, const char* dir,
                                     const char* name) {
  FileHandle source, copy;
  const SystemStatus sourceOpened = OpenToRead(system, sourceDir, name, &source);
  const SystemStatus copyOpened = OpenToRead(system, dir, name, &copy);
  SourceFileCopy answer = kCopyUnknown;
  if (copyOpened == kStatusFileNotFound)
    answer = kNoCopyOfSourceFile;
  else if (sourceOpened == kStatusSuccess && copyOpened == kStatusSuccess)
    answer = CompareContent(system, source, copy);
  if (source) system.CloseFile(source);
  if (copy) system.CloseFile(copy);
  return answer;
}
