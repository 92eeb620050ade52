// What the checks before a run's first change decide from the bytes and
// names they read: whether a file is a program the run can start, whether
// a library's export table names an entry, and how much room the copies
// need on each drive.
#ifndef SETUP_FILES_PREFLIGHT_RULES_H
#define SETUP_FILES_PREFLIGHT_RULES_H

#include <stddef.h>

#include "../base/paths_rules.h"

enum ProgramKind {
  kNotAProgram,     // no extension that Windows starts, or an executable without its header
  kExecutableFile,  // ".exe" or ".com" that starts with "MZ"
  kBatchFile        // ".bat" or ".cmd": started through the command interpreter
};

// The kind of the file at path whose first bytes are head (headSize of
// them; fewer when the file is shorter).
ProgramKind ProgramKindOf(const char* path, const unsigned char* head, size_t headSize);

// Where a library's export directory lies, read from the first bytes of
// its file (the DOS header, the PE header and the section table): its
// offset in the file, its size and its address once loaded. False when the
// bytes hold no PE image with an export directory.
struct ExportLocation {
  unsigned long FileOffset;
  unsigned long Size;
  unsigned long Address;
};
bool FindExportDirectory(const unsigned char* head, size_t headSize, ExportLocation* location);

// Whether the export data (the directory and the tables and names after
// it, as loaded at location.Address) names the entry.
bool ExportsName(const unsigned char* data, size_t size, const ExportLocation& location,
                 const char* entry);

// The room that the copies of a run need on the drives they go to: the
// bytes of every file, and once more the largest of them, for the copy
// that is filled beside its destination before it takes its place.
const int kRoomDrives = 4;  // the Windows, system and copy-list drives of one run
struct DriveRoom {
  char Drive[3];                   // "C:", empty for a path without a drive letter
  char Directory[kSetupPathSize];  // the first directory copied into there
  unsigned long long Bytes;
  unsigned long long Largest;
};
struct RoomNeeded {
  DriveRoom Drives[kRoomDrives];
  int Count;
};

// Adds a file of size bytes copied into dir; false when dir names a fifth
// drive or does not fit.
bool AddToRoom(RoomNeeded* room, const char* dir, unsigned long long size);

// The bytes that the drive needs free.
unsigned long long RoomOf(const DriveRoom& drive);

#endif
