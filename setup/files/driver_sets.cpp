#include "driver_sets.h"

#include "driver_sets_rules.h"
#include "source_files.h"

const char* StepDirectory(const SetupPaths& paths, SetDirectory directory, char* catalogDir) {
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

void RunClassSet(Host& host, const SetupPaths& paths, OsClass osClass, const DriverSet& set) {
  if (!ClassRunsSet(osClass, set)) return;
  for (size_t i = 0; i < set.Count; ++i) {
    const SetStep& step = set.Steps[i];
    char catalogDir[kSetupPathSize];
    const char* dir = StepDirectory(paths, step.Directory, catalogDir);
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
