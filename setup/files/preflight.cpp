#include "preflight.h"

#include <string.h>

#include "driver_sets.h"
#include "lists.h"
#include "lists_rules.h"
#include "preflight_rules.h"
#include "programs.h"
#include "source_files.h"

namespace {

// How a destination directory that is missing counts.
enum MissingDirectory {
  kDirectoryMustExist,  // the copy would fail the run
  kDirectoryMadeByRun,  // the run makes it before its copies
  kDirectoryPassedOver  // the copy is passed over, by design
};

// Whether a file already at the destination is looked at for another
// program that holds it open. The kernel drivers' files are held by the
// system while the earlier driver runs, and the run stops that driver
// before it copies (NT 4.0's RemoveNTService, or the restart it asks for).
enum HeldFiles { kHeldFilesChecked, kHeldFilesLeftToTheRun };

struct Checker {
  System& system;
  const SetupPaths& paths;
  OsClass osClass;
  PreflightFailure* failure;
  RoomNeeded room;
};

bool Fail(Checker* checker, PreflightCheck check, const char* path, SystemStatus status) {
  PreflightFailure* failure = checker->failure;
  failure->Check = check;
  const size_t length = strlen(path) < kSetupPathSize ? strlen(path) : kSetupPathSize - 1;
  memcpy(failure->Path, path, length);
  failure->Path[length] = '\0';
  failure->Status = status;
  return false;
}

const size_t kHeadSize = 4096;  // the headers of a program or a library

// Reads the file at path to its end: its size, and its first bytes into
// head (kHeadSize bytes; *headRead of them hold the file's).
SystemStatus ReadToEnd(System& system, const char* path, unsigned long long* size,
                       unsigned char* head, unsigned long* headRead) {
  FileHandle file = nullptr;
  const SystemStatus opened = system.OpenFileToRead(path, &file);
  if (opened != kStatusSuccess) return opened;
  *size = 0;
  *headRead = 0;
  unsigned char chunk[kHeadSize];
  SystemStatus status = kStatusSuccess;
  for (;;) {
    unsigned long read = 0;
    status = system.ReadFromFile(file, chunk, sizeof chunk, &read);
    if (status != kStatusSuccess || read == 0) break;
    if (*size == 0 && head != nullptr) {
      memcpy(head, chunk, read);
      *headRead = read;
    }
    *size += read;
  }
  system.CloseFile(file);
  return status;
}

// The destination file that a copy replaces: it must not be held open by
// another program. A read-only one is fine: the copy clears it first.
bool CheckDestinationFile(Checker* checker, const char* destination) {
  const unsigned long attributes = checker->system.FileAttributes(destination);
  if (attributes == kNoSuchFile) return true;
  if (attributes & kAttributeDirectory)
    return Fail(checker, kDestinationUnusable, destination, kStatusAccessDenied);
  const SystemStatus opened =
      checker->system.ProbeExclusiveOpen(destination, (attributes & kAttributeReadOnly) == 0);
  if (opened == kStatusSuccess) return true;
  return Fail(checker, opened == kStatusSharingViolation ? kDestinationInUse : kDestinationUnusable,
              destination, opened);
}

// One copy of name from the medium into dir.
bool CheckCopy(Checker* checker, const char* dir, const char* name, MissingDirectory missing,
               HeldFiles held) {
  System& system = checker->system;
  char source[kCopyPathSize];
  if (!JoinRootAware(source, sizeof source, checker->paths.SourceDir, name))
    return Fail(checker, kPathDoesNotFit, name, kStatusFilenameTooLong);
  unsigned long long size = 0;
  unsigned long headRead = 0;
  const SystemStatus read = ReadToEnd(system, source, &size, nullptr, &headRead);
  if (read == kStatusFileNotFound || read == kStatusPathNotFound)
    return Fail(checker, kMediumFileMissing, source, read);
  if (read != kStatusSuccess) return Fail(checker, kMediumFileUnreadable, source, read);

  const unsigned long attributes = system.FileAttributes(dir);
  if (attributes == kNoSuchFile) {
    if (missing == kDirectoryPassedOver) return true;
    if (missing == kDirectoryMustExist)
      return Fail(checker, kDestinationDirectoryMissing, dir, kStatusPathNotFound);
  } else if (!(attributes & kAttributeDirectory)) {
    return Fail(checker, kDestinationUnusable, dir, kStatusPathNotFound);
  }
  char destination[kCopyPathSize], copy[kCopyPathSize], earlier[kCopyPathSize];
  if (!JoinRootAware(destination, sizeof destination, dir, name) ||
      !JoinRootAware(copy, sizeof copy, dir, kCopyingName) ||
      !JoinRootAware(earlier, sizeof earlier, dir, kEarlierName))
    return Fail(checker, kPathDoesNotFit, dir, kStatusFilenameTooLong);
  if (held == kHeldFilesChecked && !CheckDestinationFile(checker, destination)) return false;
  if (!AddToRoom(&checker->room, dir, size))
    return Fail(checker, kPathDoesNotFit, dir, kStatusFilenameTooLong);
  return true;
}

bool IsDirectoryAlias(const char* name) {
  return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

// Every file of the medium that pattern matches, copied into dir.
bool CheckPatternCopies(Checker* checker, const char* dir, const char* pattern,
                        MissingDirectory missing, HeldFiles held) {
  System& system = checker->system;
  char search[kCopyPathSize], found[kFoundNameSize];
  if (!JoinRootAware(search, sizeof search, checker->paths.SourceDir, pattern))
    return Fail(checker, kPathDoesNotFit, pattern, kStatusFilenameTooLong);
  SearchHandle matches;
  SystemStatus status = system.FindFirstMatch(search, &matches, found);
  if (status == kStatusFileNotFound || status == kStatusPathNotFound)
    return Fail(checker, kMediumFileMissing, search, status);
  if (status != kStatusSuccess) return Fail(checker, kMediumFileUnreadable, search, status);
  bool passed = true;
  do {
    if (!IsDirectoryAlias(found)) passed = CheckCopy(checker, dir, found, missing, held);
    if (passed) status = system.FindNextMatch(matches, found);
  } while (passed && status == kStatusSuccess);
  system.EndSearch(matches);
  if (!passed) return false;
  if (status == kStatusNoMoreFiles || status == kStatusFileNotFound) return true;
  return Fail(checker, kMediumFileUnreadable, search, status);
}

MissingDirectory MissingRuleOf(SetDirectory directory) {
  switch (directory) {
    case kInCabsDir:
      return kDirectoryMadeByRun;
    case kInCatalogDir:
      return kDirectoryPassedOver;  // neither tested nor made, by design
    default:
      return kDirectoryMustExist;
  }
}

bool CheckSet(Checker* checker, const DriverSet& set) {
  if (!ClassRunsSet(checker->osClass, set)) return true;
  for (size_t i = 0; i < set.Count; ++i) {
    const SetStep& step = set.Steps[i];
    char catalogDir[kSetupPathSize];
    const char* dir = StepDirectory(checker->paths, step.Directory, catalogDir);
    const MissingDirectory missing = MissingRuleOf(step.Directory);
    const HeldFiles held = step.Directory == kInDriversDir ? kHeldFilesLeftToTheRun
                                                           : kHeldFilesChecked;
    if (step.Operation == kCopyByName && !CheckCopy(checker, dir, step.Name, missing, held))
      return false;
    if (step.Operation == kCopyByPattern &&
        !CheckPatternCopies(checker, dir, step.Name, missing, held))
      return false;
  }
  return true;
}

// A copy list entry whose file is on the medium; one that is not is left
// to the run, which tells it.
bool CheckCopyEntry(void* context, const CopyEntry& entry) {
  Checker* checker = static_cast<Checker*>(context);
  char source[kCopyPathSize];
  if (!JoinRootAware(source, sizeof source, checker->paths.SourceDir, entry.FileName))
    return Fail(checker, kPathDoesNotFit, entry.FileName, kStatusFilenameTooLong);
  if (checker->system.FileAttributes(source) == kNoSuchFile) return true;
  return CheckCopy(checker, entry.Destination, entry.FileName, kDirectoryPassedOver,
                   kHeldFilesChecked);
}

bool CheckRoom(Checker* checker) {
  for (int i = 0; i < checker->room.Count; ++i) {
    const DriveRoom& drive = checker->room.Drives[i];
    unsigned long long free = 0;
    const SystemStatus status = checker->system.FreeSpace(drive.Directory, &free);
    if (status == kStatusPathNotFound || status == kStatusFileNotFound)
      continue;  // made by the run
    if (status != kStatusSuccess)
      return Fail(checker, kDestinationUnusable, drive.Directory, status);
    if (free < RoomOf(drive))
      return Fail(checker, kDestinationFull, drive.Directory, kStatusDiskFull);
  }
  return true;
}

// A program that the run starts: one that is missing is passed over, as
// the run passes it over; one that is there must be a program.
bool CheckProgram(Checker* checker, const char* program) {
  const unsigned long attributes = checker->system.FileAttributes(program);
  if (attributes == kNoSuchFile || (attributes & kAttributeDirectory)) return true;
  unsigned char head[kHeadSize];
  unsigned long headRead = 0;
  unsigned long long size = 0;
  const SystemStatus read = ReadToEnd(checker->system, program, &size, head, &headRead);
  if (read != kStatusSuccess) return Fail(checker, kMediumFileUnreadable, program, read);
  if (ProgramKindOf(program, head, headRead) == kNotAProgram)
    return Fail(checker, kNotStartable, program, kStatusBadExeFormat);
  return true;
}

bool CheckLaunchEntry(void* context, const LaunchEntry& entry) {
  Checker* checker = static_cast<Checker*>(context);
  char program[kSetupPathSize];
  FindProgram(checker->system, entry.ProgramPath, program, sizeof program);
  return CheckProgram(checker, program);
}

// Reads count bytes from offset of the open file, which has been read up
// to *at.
bool ReadAt(System& system, FileHandle file, unsigned long* at, unsigned long offset,
            unsigned char* data, unsigned long count, unsigned long* got) {
  unsigned char skipped[kHeadSize];
  while (*at < offset) {
    const unsigned long want = offset - *at < sizeof skipped ? offset - *at : sizeof skipped;
    unsigned long read = 0;
    if (system.ReadFromFile(file, skipped, want, &read) != kStatusSuccess || read == 0)
      return false;
    *at += read;
  }
  *got = 0;
  while (*got < count) {
    unsigned long read = 0;
    if (system.ReadFromFile(file, data + *got, count - *got, &read) != kStatusSuccess) return false;
    if (read == 0) break;
    *got += read;
  }
  *at += *got;
  return true;
}

const unsigned long kExportDataSize = 16384;  // the export data of a setup library

// The library that the run loads after its copies: it lies on the medium
// and its export table names the entry, read from its file.
bool CheckLateLibrary(Checker* checker, const char* name, const char* entry) {
  System& system = checker->system;
  char path[kSetupPathSize];
  if (!JoinRootAware(path, sizeof path, checker->paths.SourceDir, name))
    return Fail(checker, kPathDoesNotFit, name, kStatusFilenameTooLong);
  FileHandle file = nullptr;
  const SystemStatus opened = system.OpenFileToRead(path, &file);
  if (opened == kStatusFileNotFound || opened == kStatusPathNotFound)
    return Fail(checker, kLibraryMissing, path, kStatusModuleNotFound);
  if (opened != kStatusSuccess) return Fail(checker, kMediumFileUnreadable, path, opened);
  unsigned char head[kHeadSize];
  static_assert(kExportDataSize >= kHeadSize, "the export data buffer holds a head");
  unsigned char data[kExportDataSize];
  unsigned long at = 0, headRead = 0, dataRead = 0;
  ExportLocation location;
  bool read = ReadAt(system, file, &at, 0, head, sizeof head, &headRead);
  bool named = false;
  if (read && FindExportDirectory(head, headRead, &location)) {
    const unsigned long size = location.Size < kExportDataSize ? location.Size : kExportDataSize;
    if (location.FileOffset >= at) {
      read = ReadAt(system, file, &at, location.FileOffset, data, size, &dataRead);
      named = read && ExportsName(data, dataRead, location, entry);
    } else if (location.FileOffset + size <= headRead) {
      named = ExportsName(head + location.FileOffset, size, location, entry);
    }
  }
  system.CloseFile(file);
  if (!read) return Fail(checker, kMediumFileUnreadable, path, kStatusReadFault);
  return named || Fail(checker, kLibraryLacksEntry, path, kStatusProcNotFound);
}

}  // namespace

const char* PreflightCheckText(PreflightCheck check) {
  // In the order of PreflightCheck.
  const char* const texts[] = {"passed",
                               "is missing from the medium",
                               "can not be read to its end",
                               "is missing, and a driver file goes there",
                               "can not be used as a destination",
                               "is held open by another program",
                               "has no room for the files copied there",
                               "gives a path too long for its buffer",
                               "is no program that Windows can start",
                               "is missing from the medium, and the run loads it after its copies",
                               "does not export the entry that the run calls after its copies"};
  return texts[check];
}

bool PassPreflight(System& system, const SetupPaths& paths, OsClass osClass,
                   const PreflightScope& scope, PreflightFailure* failure) {
  Checker checker = {system, paths, osClass, failure, {}};
  failure->Check = kPreflightPassed;
  failure->Path[0] = '\0';
  failure->Status = kStatusSuccess;
  for (int i = 0; i < scope.SetCount; ++i) {
    if (!CheckSet(&checker, *scope.Sets[i])) return false;
  }
  if (scope.ExtraMediumFile != nullptr) {
    char source[kCopyPathSize];
    unsigned long long size = 0;
    unsigned long headRead = 0;
    if (!JoinRootAware(source, sizeof source, paths.SourceDir, scope.ExtraMediumFile))
      return Fail(&checker, kPathDoesNotFit, scope.ExtraMediumFile, kStatusFilenameTooLong);
    const SystemStatus read = ReadToEnd(system, source, &size, nullptr, &headRead);
    if (read == kStatusFileNotFound || read == kStatusPathNotFound)
      return Fail(&checker, kMediumFileMissing, source, read);
    if (read != kStatusSuccess) return Fail(&checker, kMediumFileUnreadable, source, read);
  }
  if (scope.CopyList && !VisitCopyList(system, paths, osClass, CheckCopyEntry, &checker))
    return false;
  if (!CheckRoom(&checker)) return false;
  if (scope.LaunchList && !VisitLaunchList(system, paths, osClass, CheckLaunchEntry, &checker))
    return false;
  if (scope.DeviceProgram != nullptr) {
    char program[kSetupPathSize];
    if (!JoinPath(program, paths.SourceDir, scope.DeviceProgram))
      return Fail(&checker, kPathDoesNotFit, scope.DeviceProgram, kStatusFilenameTooLong);
    if (!CheckProgram(&checker, program)) return false;
  }
  if (scope.LateLibrary != nullptr &&
      !CheckLateLibrary(&checker, scope.LateLibrary, scope.LateEntry))
    return false;
  return true;
}
