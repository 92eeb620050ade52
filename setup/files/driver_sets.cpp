#include "driver_sets.h"

#include "driver_sets_rules.h"
#include "source_files.h"

namespace {

// The directory of the run that a step acts in; the catalog directory is
// formed into catalogDir (kSetupPathSize bytes).
const char* DirectoryOf(const SetupPaths& paths, SetDirectory directory, char* catalogDir) {
  switch (directory) {
    case kInSystemDir:
      return paths.SystemDir;
    case kInDriversDir:
      return paths.DriversDir;
    case kInCabsDir:
      return paths.CabsDir;
    case kInInfDir:
      return paths.InfDir;
    case kInCatalogDir:
      AppendText(catalogDir, kSetupPathSize, paths.InfDir, "\\catalog");
      return catalogDir;
    case kInOtherDir:
      return paths.OtherDir;
    default:
      return paths.WindowsDir;
  }
}

}  // namespace

void RunClassSet(Host& host, const SetupPaths& paths, OsClass osClass, const DriverSet& set) {
  if (!ClassRunsSet(osClass, set)) return;
  for (size_t i = 0; i < set.Count; ++i) {
    const SetStep& step = set.Steps[i];
    char catalogDir[kSetupPathSize];
    const char* dir = DirectoryOf(paths, step.Directory, catalogDir);
    switch (step.Operation) {
      case kCopyByName:
        CopySourceFile(host, paths.SourceDir, dir, step.Name);
        break;
      case kCopyByPattern:
        CopyMatchingFiles(host, paths.SourceDir, dir, step.Name);
        break;
      case kDeleteByPattern:
        DeleteMatchingFiles(host, dir, step.Name);
        break;
    }
  }
}

bool MediumHoldsFile(System& system, const SetupPaths& paths, const char* name, char* missing) {
  char path[kCopyPathSize];
  FileHandle file = nullptr;
  if (JoinRootAware(path, sizeof path, paths.SourceDir, name) &&
      system.OpenFileToRead(path, &file) == kStatusSuccess) {
    system.CloseFile(file);
    return true;
  }
  if (!JoinRootAware(missing, kSetupPathSize, paths.SourceDir, name))
    CopyWholeText(missing, kSetupPathSize, name);
  return false;
}

namespace {

bool MediumMatches(System& system, const SetupPaths& paths, const char* pattern, char* missing) {
  char search[kCopyPathSize], found[kFoundNameSize];
  SearchHandle matches;
  if (JoinRootAware(search, sizeof search, paths.SourceDir, pattern) &&
      system.FindFirstMatch(search, &matches, found) == kStatusSuccess) {
    system.EndSearch(matches);
    return true;
  }
  if (!JoinRootAware(missing, kSetupPathSize, paths.SourceDir, pattern))
    CopyWholeText(missing, kSetupPathSize, pattern);
  return false;
}

}  // namespace

bool MediumHoldsSet(System& system, const SetupPaths& paths, const DriverSet& set, char* missing) {
  for (size_t i = 0; i < set.Count; ++i) {
    const SetStep& step = set.Steps[i];
    if (step.Operation == kCopyByName && !MediumHoldsFile(system, paths, step.Name, missing))
      return false;
    if (step.Operation == kCopyByPattern && !MediumMatches(system, paths, step.Name, missing))
      return false;
  }
  return true;
}

void CopyNT4DriverFiles(Host& host, const SetupPaths& paths, OsClass osClass, char* infName) {
  CopyWholeText(infName, kNT4InfNameSize, kNT4CopySet.Steps[0].Name);
  RunClassSet(host, paths, osClass, kNT4CopySet);
}

void CopyVxdDriverFiles(Host& host, const SetupPaths& paths, OsClass osClass) {
  RunClassSet(host, paths, osClass, kVxdCopySet);
}

void CopyWdmDriverFiles(Host& host, const SetupPaths& paths, OsClass osClass) {
  RunClassSet(host, paths, osClass, kWdmCopySet);
}

void DeleteNT4DriverFiles(Host& host, const SetupPaths& paths, OsClass osClass) {
  RunClassSet(host, paths, osClass, kNT4DeleteSet);
}

void DeleteOld9xDriverFiles(Host& host, const SetupPaths& paths, OsClass osClass) {
  RunClassSet(host, paths, osClass, kOld9xDeleteSet);
}

void DeleteBinFile(Host& host, const SetupPaths& paths, OsClass osClass) {
  RunClassSet(host, paths, osClass, kBinDeleteSet);
}
