#include "source_path.h"

#include <windows.h>

#include "../base/log.h"
#include "../base/paths.h"

namespace {

const char kSetupKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
const char kSourcePathValue[] = "SourcePath";

void TakeSnapshot(HKEY key, char* saved, SourcePathSnapshot* snapshot) {
  DWORD type = 0, size = kSetupPathSize;
  const LONG status = RegQueryValueExA(key, kSourcePathValue, nullptr, &type,
                                       reinterpret_cast<BYTE*>(saved), &size);
  const bool isString = type == REG_SZ || type == REG_EXPAND_SZ;
  // A string that fills the whole buffer without a terminator was cut.
  const bool whole = size < kSetupPathSize || saved[kSetupPathSize - 1] == '\0';
  if (status == ERROR_SUCCESS && isString && whole) {
    if (size < kSetupPathSize) saved[size] = '\0';
    snapshot->State = kSnapshotSaved;
    snapshot->Type = type;
  } else {
    saved[0] = '\0';
    snapshot->State = status == ERROR_FILE_NOT_FOUND ? kSnapshotAbsent : kSnapshotUnreadable;
  }
  if (!PathExists(saved)) CreateDirectoryA(saved, nullptr);
}

bool WriteSourcePath(HKEY key, const char* data, DWORD type) {
  const DWORD size = lstrlenA(data) + 1;
  const LONG status =
      RegSetValueExA(key, kSourcePathValue, 0, type, reinterpret_cast<const BYTE*>(data), size);
  return LogTextValueSet(kSetupKeyPath, kSourcePathValue, data, status) == ERROR_SUCCESS;
}

}  // namespace

bool SetSetupSourcePath(const char* path, char* saved, SourcePathSnapshot* snapshot) {
  if (!path) return false;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSetupKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    snapshot->FirstCallMade = true;
    return false;
  }
  if (!snapshot->FirstCallMade) {
    TakeSnapshot(key, saved, snapshot);
    snapshot->FirstCallMade = true;
  }
  const bool written = snapshot->State != kSnapshotUnreadable && WriteSourcePath(key, path, REG_SZ);
  RegCloseKey(key);
  return written;
}

void RestoreSetupSourcePath(const char* saved, const SourcePathSnapshot& snapshot) {
  if (snapshot.State != kSnapshotSaved && snapshot.State != kSnapshotAbsent) return;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSetupKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return;
  if (snapshot.State == kSnapshotSaved)
    WriteSourcePath(key, saved, snapshot.Type);
  else
    LogValueDeleted(kSetupKeyPath, kSourcePathValue, RegDeleteValueA(key, kSourcePathValue));
  RegCloseKey(key);
}
