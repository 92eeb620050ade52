#include "paths.h"

#include <windows.h>

#include "platform_rules.h"

namespace {

// A directory query fills the buffer when its answer is neither empty nor
// longer than the buffer.
bool Fits(DWORD length) { return length > 0 && length < kSetupPathSize; }

// Everything is formed in a local record and checked first, so that a path
// that does not fit leaves the machine as it was.
PathsOutcome FormPaths(size_t longestWindowsDir, SetupPaths* paths) {
  if (!Fits(GetCurrentDirectoryA(kSetupPathSize, paths->StartDir))) return kPathTooLong;
  if (!Fits(GetWindowsDirectoryA(paths->WindowsDir, kSetupPathSize))) return kPathTooLong;
  if (!Fits(GetSystemDirectoryA(paths->SystemDir, kSetupPathSize))) return kPathTooLong;
  if (!WindowsDirFits(paths->WindowsDir, longestWindowsDir)) return kPathTooLong;
  AppendText(paths->DriversDir, kSetupPathSize, paths->WindowsDir, kDriversSuffix);
  AppendText(paths->CabsDir, kSetupPathSize, paths->WindowsDir, kCabsSuffix);

  char found[kSetupPathSize];
  char* filePart = nullptr;
  const DWORD foundLength =
      SearchPathA(nullptr, "setup.exe", nullptr, kSetupPathSize, found, &filePart);
  if (foundLength == 0) return kSetupNotFound;
  if (foundLength >= kSetupPathSize) return kPathTooLong;
  if (!DirectoryOfFile(paths->SourceDir, kSetupPathSize, found)) return kPathTooLong;
  // The options file and every file that the run takes from the medium by
  // name are named below SourceDir, in copy buffers of kCopyPathSize bytes;
  // a medium path too long for the longest name is refused here.
  char mediumFile[kCopyPathSize];
  if (!JoinRootAware(mediumFile, sizeof mediumFile, paths->SourceDir, kLongestMediumFileName))
    return kPathTooLong;

  char infDir[kSetupPathSize];
  AppendText(infDir, sizeof infDir, paths->WindowsDir, kInfSuffix);
  CopyWholeText(paths->InfDir, kSetupPathSize, PathExists(infDir) ? infDir : paths->WindowsDir);
  AppendText(paths->OtherDir, kSetupPathSize, paths->InfDir, "\\OTHER");
  return kPathsComputed;
}

}  // namespace

PathsOutcome ComputeSetupPaths(OsClass osClass, size_t longestWindowsDir, SetupPaths* paths) {
  SetupPaths formed;
  ZeroMemory(&formed, sizeof formed);
  const PathsOutcome outcome = FormPaths(longestWindowsDir, &formed);
  if (outcome != kPathsComputed) return outcome;

  if (!PathExists(formed.CabsDir)) {
    char optionsDir[kSetupPathSize];
    AppendText(optionsDir, sizeof optionsDir, formed.WindowsDir, "\\Options");
    CreateDirectoryA(optionsDir, nullptr);
    CreateDirectoryA(formed.CabsDir, nullptr);
  }
  SetCurrentDirectoryA(formed.SourceDir);
  if (IsWindows9xClass(osClass)) {
    char shortForm[kSetupPathSize];
    if (Fits(GetShortPathNameA(formed.SourceDir, shortForm, kSetupPathSize)))
      CopyWholeText(formed.SourceDir, kSetupPathSize, shortForm);
  }
  *paths = formed;
  return kPathsComputed;
}

bool PathExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

void SetNormalAttributes(const char* path) { SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL); }
