#include "source_path.h"

#include <windows.h>

#include "../control/install_log.h"
#include "setup_paths.h"

static const char* const SetupKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
static const char* const SourcePathValue = "SourcePath";

// What the first call found.
enum SourcePathSnapshot {
  SnapshotNotTaken,   // no call yet, or the key did not open
  SnapshotSaved,      // the value was read into SavedSourcePath
  SnapshotAbsent,     // there was no value
  SnapshotUnreadable  // a value that does not fit the buffer or is no string
};

static bool FirstCall = true;
static SourcePathSnapshot Snapshot = SnapshotNotTaken;
static DWORD SavedSourcePathType = REG_SZ;

static void TakeSnapshot(HKEY key) {
  char* saved = SetupPaths.SavedSourcePath;
  DWORD type = 0, size = SetupPathSize;
  const LONG status = RegQueryValueExA(key, SourcePathValue, nullptr, &type,
                                       reinterpret_cast<BYTE*>(saved), &size);
  const bool isString = type == REG_SZ || type == REG_EXPAND_SZ;
  // A string that fills the whole buffer without a terminator was cut.
  const bool whole = size < SetupPathSize || saved[SetupPathSize - 1] == '\0';
  if (status == ERROR_SUCCESS && isString && whole) {
    if (size < SetupPathSize) saved[size] = '\0';
    Snapshot = SnapshotSaved;
    SavedSourcePathType = type;
  } else {
    saved[0] = '\0';
    Snapshot = status == ERROR_FILE_NOT_FOUND ? SnapshotAbsent : SnapshotUnreadable;
  }
  if (GetFileAttributesA(saved) == 0xFFFFFFFF) CreateDirectoryA(saved, nullptr);
}

static int WriteSourcePath(HKEY key, const char* data, DWORD type) {
  const DWORD size = lstrlenA(data) + 1;
  const LONG status =
      RegSetValueExA(key, SourcePathValue, 0, type, reinterpret_cast<const BYTE*>(data), size);
  return LogTextValueSet(SetupKeyPath, SourcePathValue, data, status) == ERROR_SUCCESS ? 1 : 0;
}

int SetSetupSourcePath(const char* path) {
  if (!path) return 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetupKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    FirstCall = false;
    return 0;
  }
  if (FirstCall) {
    TakeSnapshot(key);
    FirstCall = false;
  }
  const int written = Snapshot == SnapshotUnreadable ? 0 : WriteSourcePath(key, path, REG_SZ);
  RegCloseKey(key);
  return written;
}

void RestoreSetupSourcePath() {
  if (Snapshot != SnapshotSaved && Snapshot != SnapshotAbsent) return;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetupKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return;
  if (Snapshot == SnapshotSaved)
    WriteSourcePath(key, SetupPaths.SavedSourcePath, SavedSourcePathType);
  else
    LogValueDeleted(SetupKeyPath, SourcePathValue, RegDeleteValueA(key, SourcePathValue));
  RegCloseKey(key);
}
