#include "setup_paths.h"

#include <windows.h>

#include "../control/options.h"
#include "../control/platform_class.h"
#include "../control/run_state.h"
#include "source_copy.h"
#include "source_path.h"

SetupPathsRecord SetupPaths;

// The longest name of the files that a run reads, copies or starts from
// the medium by name ("qvsetup3.exe" is as long).
static const char* const LongestMediumFileName = "qvremove.exe";

static bool Exists(const char* path) { return GetFileAttributesA(path) != 0xFFFFFFFF; }

// A directory query fills the buffer when its answer is neither empty nor
// longer than the buffer.
static bool Fits(DWORD length) { return length > 0 && length < SetupPathSize; }

// Everything is formed in a local record and checked first, so that a path
// that does not fit leaves the machine as it was.
static int FormPaths(SetupPathsRecord* paths) {
  if (!Fits(GetCurrentDirectoryA(SetupPathSize, paths->StartDir))) return 0;
  if (!Fits(GetWindowsDirectoryA(paths->WindowsDir, SetupPathSize))) return 0;
  if (!Fits(GetSystemDirectoryA(paths->SystemDir, SetupPathSize))) return 0;
  if (!WindowsDirFits(paths->WindowsDir)) return 0;
  AppendText(paths->DriversDir, SetupPathSize, paths->WindowsDir, DriversSuffix);
  AppendText(paths->CabsDir, SetupPathSize, paths->WindowsDir, "\\Options\\CABS");

  char found[SetupPathSize];
  char* filePart = nullptr;
  const DWORD foundLength = SearchPathA(nullptr, "setup.exe", nullptr, SetupPathSize, found, &filePart);
  if (foundLength == 0) {
    DebugMessage(nullptr, "SearchPath() failed", "Error", 0);
    return 0;
  }
  if (foundLength >= SetupPathSize) return 0;
  if (!DirectoryOfFile(paths->SourceDir, SetupPathSize, found)) return 0;
  // The options file and every file that the run takes from the medium by
  // name are named below SourceDir, in copy buffers of CopyPathSize bytes;
  // a medium path too long for the longest name is refused here.
  char mediumFile[CopyPathSize];
  if (!JoinRootAware(mediumFile, sizeof mediumFile, paths->SourceDir, LongestMediumFileName))
    return 0;

  char infDir[SetupPathSize];
  AppendText(infDir, sizeof infDir, paths->WindowsDir, "\\INF");
  AppendText(paths->InfDir, SetupPathSize, Exists(infDir) ? infDir : paths->WindowsDir, "");
  AppendText(paths->OtherDir, SetupPathSize, paths->InfDir, "\\OTHER");
  return 1;
}

int ComputeSetupPaths() {
  SetupPathsRecord paths;
  ZeroMemory(&paths, sizeof paths);
  if (!FormPaths(&paths)) return 0;

  if (!Exists(paths.CabsDir)) {
    char optionsDir[SetupPathSize];
    AppendText(optionsDir, sizeof optionsDir, paths.WindowsDir, "\\Options");
    CreateDirectoryA(optionsDir, nullptr);
    CreateDirectoryA(paths.CabsDir, nullptr);
  }
  SetCurrentDirectoryA(paths.SourceDir);
  if (IsWindows9xClass(OsClass)) {
    char shortForm[SetupPathSize];
    if (Fits(GetShortPathNameA(paths.SourceDir, shortForm, SetupPathSize)))
      AppendText(paths.SourceDir, SetupPathSize, shortForm, "");
  }
  SetupPaths = paths;
  SetSetupSourcePath(SetupPaths.SourceDir);
  return 1;
}
