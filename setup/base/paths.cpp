#include "paths.h"

#include <string.h>

namespace {

// A directory query fills the buffer when its answer is neither empty nor
// longer than the buffer.
bool Fits(unsigned long length) { return length > 0 && length < kSetupPathSize; }

enum DirectoryPresence { kDirectoryPresent, kDirectoryMissing, kPresenceUnknown };

// An attribute query that fails does not say why: a search for the
// directory itself tells a missing one from one that can not be looked at.
DirectoryPresence PresenceOf(System& system, const char* directory) {
  if (PathExists(system, directory)) return kDirectoryPresent;
  SearchHandle search;
  char found[kFoundNameSize];
  const SystemStatus status = system.FindFirstMatch(directory, &search, found);
  if (status == kStatusSuccess) {
    system.EndSearch(search);
    return kDirectoryPresent;
  }
  return status == kStatusFileNotFound || status == kStatusPathNotFound ? kDirectoryMissing
                                                                        : kPresenceUnknown;
}

// Everything is formed in a local record and checked first, so that a path
// that does not fit leaves the machine as it was.
PathsOutcome FormPaths(System& system, size_t longestWindowsDir, SetupPaths* paths) {
  if (!Fits(system.CurrentDirectory(paths->StartDir, kSetupPathSize))) return kPathTooLong;
  if (!Fits(system.WindowsDirectory(paths->WindowsDir, kSetupPathSize))) return kPathTooLong;
  if (!Fits(system.SystemDirectory(paths->SystemDir, kSetupPathSize))) return kPathTooLong;
  if (!WindowsDirFits(paths->WindowsDir, longestWindowsDir)) return kPathTooLong;
  AppendText(paths->DriversDir, kSetupPathSize, paths->WindowsDir, kDriversSuffix);
  AppendText(paths->CabsDir, kSetupPathSize, paths->WindowsDir, kCabsSuffix);

  char found[kSetupPathSize];
  // The medium is the directory of setup's own file, whatever its name.
  const unsigned long foundLength = system.ProgramFile(found, kSetupPathSize);
  if (foundLength == 0) return kSetupNotFound;
  // A path that fills the buffer may have been cut.
  if (foundLength >= kSetupPathSize - 1) return kPathTooLong;
  if (!DirectoryOfFile(paths->SourceDir, kSetupPathSize, found)) return kPathTooLong;
  // The options file and every file that the run takes from the medium by
  // name are named below SourceDir, in copy buffers of kCopyPathSize bytes;
  // a medium path too long for the longest name is refused here.
  char mediumFile[kCopyPathSize];
  if (!JoinRootAware(mediumFile, sizeof mediumFile, paths->SourceDir, kLongestMediumFileName))
    return kPathTooLong;

  char infDir[kSetupPathSize];
  AppendText(infDir, sizeof infDir, paths->WindowsDir, kInfSuffix);
  const DirectoryPresence infPresence = PresenceOf(system, infDir);
  if (infPresence == kPresenceUnknown) return kDirectoryUnusable;
  CopyWholeText(paths->InfDir, kSetupPathSize,
                infPresence == kDirectoryPresent ? infDir : paths->WindowsDir);
  AppendText(paths->OtherDir, kSetupPathSize, paths->InfDir, "\\OTHER");
  return kPathsComputed;
}

}  // namespace

PathsOutcome ComputeSetupPaths(Host& host, OsClass osClass, size_t longestWindowsDir,
                               SetupPaths* paths) {
  System& system = *host.system;
  SetupPaths formed;
  memset(&formed, 0, sizeof formed);
  const PathsOutcome outcome = FormPaths(system, longestWindowsDir, &formed);
  // What was formed stands for the log of a run that ends here.
  if (outcome != kPathsComputed) {
    CopyWholeText(paths->SourceDir, kSetupPathSize, formed.SourceDir);
    return outcome;
  }

  // Programs that the run starts find their files in the source directory.
  if (!system.ChangeDirectory(formed.SourceDir)) {
    CopyWholeText(paths->SourceDir, kSetupPathSize, formed.SourceDir);
    return kDirectoryUnusable;
  }
  RunEvent changed = EventOf(kEventDirectoryChanged);
  changed.path = formed.SourceDir;
  TellListeners(host, changed);
  if (IsWindows9xClass(osClass)) {
    char shortForm[kSetupPathSize];
    if (Fits(system.ShortPath(formed.SourceDir, shortForm, kSetupPathSize)))
      CopyWholeText(formed.SourceDir, kSetupPathSize, shortForm);
  }
  *paths = formed;
  return kPathsComputed;
}

bool MakeCabinetStore(Host& host, const SetupPaths& paths) {
  System& system = *host.system;
  if (PathExists(system, paths.CabsDir)) return true;
  char optionsDir[kSetupPathSize];
  AppendText(optionsDir, sizeof optionsDir, paths.WindowsDir, "\\Options");
  TellOutcome(host, kEventDirectoryMade, optionsDir, nullptr, system.MakeDirectory(optionsDir));
  RunEvent made = OutcomeEvent(kEventDirectoryMade, paths.CabsDir, nullptr,
                               system.MakeDirectory(paths.CabsDir));
  made.failsRun = made.status != kStatusSuccess && made.status != kStatusAlreadyExists;
  TellListeners(host, made);
  return !made.failsRun;
}

bool ExpandWholeText(System& system, const char* text, char* out, size_t outSize) {
  memset(out, kUnwrittenByte, outSize);
  const unsigned long returned =
      system.ExpandVariables(text, out, static_cast<unsigned long>(outSize));
  if (ExpansionFits(out, outSize, returned)) return true;
  if (outSize > 0) out[0] = '\0';
  return false;
}

bool PathExists(System& system, const char* path) {
  return system.FileAttributes(path) != kNoSuchFile;
}

void SetNormalAttributes(System& system, const char* path) {
  system.SetAttributes(path, kAttributeNormal);
}
