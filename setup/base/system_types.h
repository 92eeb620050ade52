// The plain types of the seam to Windows: the Win32 statuses that the run
// and its log tell apart, the registry value types and file attributes, the
// handles and the records that the calls hand back. The models of Windows
// and the pure rules need only these, not the seam itself.
#ifndef SETUP_BASE_SYSTEM_TYPES_H
#define SETUP_BASE_SYSTEM_TYPES_H

#include <stddef.h>
#include <wchar.h>

typedef long SystemStatus;

// The Win32 error codes that the run and its log tell apart.
const SystemStatus kStatusSuccess = 0;
const SystemStatus kStatusFileNotFound = 2;
const SystemStatus kStatusPathNotFound = 3;
const SystemStatus kStatusAccessDenied = 5;
const SystemStatus kStatusInvalidHandle = 6;
const SystemStatus kStatusNotEnoughMemory = 8;
const SystemStatus kStatusNoMoreFiles = 18;
const SystemStatus kStatusReadFault = 30;
const SystemStatus kStatusSharingViolation = 32;
const SystemStatus kStatusCallNotImplemented = 120;  // MoveFileEx on the 9x family
const SystemStatus kStatusDiskFull = 112;
const SystemStatus kStatusModuleNotFound = 126;
const SystemStatus kStatusProcNotFound = 127;
const SystemStatus kStatusAlreadyExists = 183;
const SystemStatus kStatusBadExeFormat = 193;
const SystemStatus kStatusFilenameTooLong = 206;
const SystemStatus kStatusMoreData = 234;
const SystemStatus kStatusNoMoreItems = 259;

// Registry value types.
const unsigned long kRegistryString = 1;
const unsigned long kRegistryExpandString = 2;
const unsigned long kRegistryBinary = 3;
const unsigned long kRegistryNumber = 4;
const unsigned long kRegistryMultiString = 7;

// File attributes; kNoSuchFile is what the attribute query returns for a
// path that names nothing.
const unsigned long kAttributeReadOnly = 0x01;
const unsigned long kAttributeHidden = 0x02;
const unsigned long kAttributeSystem = 0x04;
const unsigned long kAttributeDirectory = 0x10;
const unsigned long kAttributeArchive = 0x20;
const unsigned long kAttributeNormal = 0x80;
const unsigned long kNoSuchFile = 0xFFFFFFFFul;

// Characters of a name that a directory search hands back, terminator included.
const size_t kFoundNameSize = 260;

typedef struct OpaqueKey* KeyHandle;
typedef struct OpaqueFile* FileHandle;
typedef struct OpaqueSearch* SearchHandle;
typedef struct OpaqueLibrary* LibraryHandle;
typedef struct OpaqueEntry* EntryHandle;

enum KeyAccess { kKeyRead, kKeyAllAccess };

// The version query's record: the platform identifier (1 for the 9x
// family, 2 for NT) and the version numbers.
struct PlatformVersion {
  unsigned long PlatformId;
  unsigned long Major;
  unsigned long Minor;
  unsigned long Build;
};

// The local time, as the clock reads it.
struct ClockTime {
  unsigned Year, Month, Day, Hour, Minute, Second, Milliseconds;
};

// A program started and waited for: the status of its start and, when it
// started, its exit code.
struct ProgramResult {
  SystemStatus Started;
  bool ExitCodeKnown;
  unsigned long ExitCode;
};

#endif
