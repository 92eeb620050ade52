// The files of a simulated machine: one drive, C:, of directories and files
// (content bytes and attributes). Names compare without regard to letter
// case and keep their first spelling. A file may be held open by another
// program, which refuses every write, deletion and replacement with a
// sharing violation (and every read, when it shares none); the disk may have a capacity in bytes,
// past which a write stops with ERROR_DISK_FULL and keeps what fitted.
//
// Paths are full ("C:\dir\name"); a search pattern holds * and ? in its
// last part and matches as FindFirstFile does (DOS rules: "*.*" matches
// every name, "name.*" also "name"), by a name's long form or its 8.3
// alias.
#ifndef MODEL_FILE_SYSTEM_H
#define MODEL_FILE_SYSTEM_H

#include <memory>
#include <string>
#include <vector>

#include "base/system_types.h"

// The Win32 error codes of names and libraries beyond those of the seam.
const SystemStatus kStatusCrc = 23;  // a medium's data could not be read
const SystemStatus kStatusFileExists = 80;
const SystemStatus kStatusInvalidName = 123;
const SystemStatus kStatusDllNotFound = 1157;

struct SimulatedFile {
  std::string name;  // the first spelling
  bool directory;
  unsigned long attributes;  // kAttributeDirectory for a directory
  std::string content;
  SimulatedFile* parent;
  std::vector<std::unique_ptr<SimulatedFile>> entries;  // in the order of creation
  bool heldByOther;   // another program keeps it open and shares no writes
  bool heldUnshared;  // and shares no reads either
  bool damaged;       // a read at or past damagedAt fails with ERROR_CRC, as a scratched CD's
  size_t damagedAt;
  unsigned openByRun;  // handles of the run: no deletion or replacement
};

// How a drive forms the 8.3 alias of a long name.
enum ShortNameForm {
  // NTFS: the first six letters, "~" and the lowest number that no earlier
  // entry of its directory took, with the first three letters of its
  // extension, in capitals; a legal 8.3 name is its own alias.
  kShortNamesNumbered,
  // The FAT drives of Windows 9x: the same, a legal 8.3 name in capitals.
  kShortNamesNumberedCapitals,
  // The test platform: the first four letters, "~" up to five characters,
  // three characters of a hash of the whole name, the extension's first
  // three letters; no numbering, so two names may share an alias.
  kShortNamesHashed,
};

struct SimulatedDisk {
  SimulatedFile root;           // C:\ itself
  unsigned long long capacity;  // bytes of content the disk holds; 0: no limit
  unsigned long long used;
  ShortNameForm shortNames;
};

void StartDisk(SimulatedDisk* disk, unsigned long long capacity, ShortNameForm shortNames);

// Makes `to` a copy of `from` whose files and directories are its own.
void CopyDisk(const SimulatedDisk& from, SimulatedDisk* to);

// The names of a full path below C:\, after "." and ".." and doubled
// separators are resolved; a path relative to currentDir is completed
// first. Refused: another drive (path not found), a name with a character
// that no file name holds, a path longer than the 260 characters that the
// ANSI calls take.
SystemStatus SplitFilePath(const char* path, const std::string& currentDir,
                           std::vector<std::string>* names);

// The names of a full path; none when it is no path of the drive.
std::vector<std::string> DrivePathNames(const std::string& path);

// The file or directory of the names; nullptr with the status (file or
// path not found) when it does not exist.
SimulatedFile* FindFile(SimulatedDisk* disk, const std::vector<std::string>& names,
                        SystemStatus* status);

// The directory that would hold the last name; nullptr with "path not
// found" when it does not exist.
SimulatedFile* FindParent(SimulatedDisk* disk, const std::vector<std::string>& names,
                          SystemStatus* status);

// The entry of `directory` with this long name or, failing that, with this
// 8.3 alias, as every path that Windows resolves may use either.
SimulatedFile* FindEntry(const SimulatedDisk& disk, const SimulatedFile& directory,
                         const std::string& name);

// Adds an empty file, or a directory, to a directory.
SimulatedFile* AddEntry(SimulatedFile* directory, const std::string& name, bool isDirectory);

// Replaces or extends a file's content within the disk's capacity: what
// does not fit is left out, with ERROR_DISK_FULL.
SystemStatus WriteContent(SimulatedDisk* disk, SimulatedFile* file, const std::string& content);
SystemStatus AppendContent(SimulatedDisk* disk, SimulatedFile* file, const char* data, size_t size);

void RemoveEntry(SimulatedDisk* disk, SimulatedFile* file);

// Moves a file or directory into `directory` under `name`, at the end of
// its entries.
void MoveEntry(SimulatedFile* file, SimulatedFile* directory, const std::string& name);

// Creates the directories of the names that do not exist yet (scenario
// loading; the run itself creates one level at a time).
SimulatedFile* MakeDirectories(SimulatedDisk* disk, const std::vector<std::string>& names);

// The names in `directory` that `pattern` matches by their long name or
// their 8.3 alias ("*.bin" finds "x.binary" as "X~1.BIN"), "." and ".."
// first below the root, then the entries in the registry's order of names
// (letters folded), as the test platform lists them.
std::vector<std::string> MatchEntries(const SimulatedDisk& disk, const SimulatedFile& directory,
                                      const std::string& pattern);

// Whether `name` matches `pattern` under FindFirstFile's DOS rules.
bool MatchesPattern(const std::string& pattern, const std::string& name);

// The 8.3 form of the full path of `file`, each part the alias that the
// disk's form gives it.
std::string ShortPathOf(const SimulatedDisk& disk, const SimulatedFile& file);

// "C:\" and the names of the path in their stored spelling.
std::string FullFilePath(const SimulatedFile& file);

bool SameFileName(const std::string& a, const std::string& b);

// The name with its letters folded to capitals, as names are compared.
std::string FileNameCapitals(std::string name);

#endif
