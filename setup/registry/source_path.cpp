#include "source_path.h"

#include <windows.h>

#include "../base/log.h"
#include "../base/log_rules.h"
#include "../base/paths.h"

namespace {

const char kSetupKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
const char kSourcePathValue[] = "SourcePath";

SourcePathState ReadSourcePath(HKEY key, SourcePathValue* value) {
  DWORD type = 0, size = kSetupPathSize;
  const LONG status = RegQueryValueExA(key, kSourcePathValue, nullptr, &type,
                                       reinterpret_cast<BYTE*>(value->Text), &size);
  const bool isString = type == REG_SZ || type == REG_EXPAND_SZ;
  // A string that fills the whole buffer without a terminator was cut.
  const bool whole = size < kSetupPathSize || value->Text[kSetupPathSize - 1] == '\0';
  value->Present = status == ERROR_SUCCESS && isString && whole;
  value->Type = type;
  if (value->Present) {
    if (size < kSetupPathSize) value->Text[size] = '\0';
    return kSnapshotSaved;
  }
  value->Text[0] = '\0';
  return status == ERROR_FILE_NOT_FOUND ? kSnapshotAbsent : kSnapshotUnreadable;
}

SourcePathRecovery ReadRecord(HKEY key, SourcePathRecord* record) {
  unsigned char data[kSourcePathRecordSize];
  DWORD type = 0, size = sizeof data;
  const LONG status = RegQueryValueExA(key, kSourcePathRecordValue, nullptr, &type, data, &size);
  if (status == ERROR_FILE_NOT_FOUND) return kNoRecord;
  if (status != ERROR_SUCCESS || type != REG_BINARY || !DecodeSourcePathRecord(data, size, record))
    return kRecordDamaged;
  return kRecordResumed;
}

// The earlier value is SourcePath as found, unless an interrupted run's
// record shows that the run wrote it: then it is the record's.
void TakeSnapshot(HKEY key, char* saved, SourcePathSnapshot* snapshot) {
  SourcePathValue earlier;
  snapshot->State = ReadSourcePath(key, &earlier);
  SourcePathRecord record;
  snapshot->Recovery = ReadRecord(key, &record);
  if (snapshot->Recovery == kRecordResumed) {
    CopyWholeText(snapshot->Interrupted, sizeof snapshot->Interrupted, record.Written);
    if (StillWrittenByRecord(earlier, record)) {
      earlier = record.Earlier;
      snapshot->State = earlier.Present ? kSnapshotSaved : kSnapshotAbsent;
    } else {
      snapshot->Recovery = kRecordDropped;
    }
  }
  CopyWholeText(saved, kSetupPathSize, earlier.Text);
  snapshot->Type = earlier.Type;
  if (!PathExists(saved)) CreateDirectoryA(saved, nullptr);
}

// The record of the earlier value and of path, on disk before SourcePath
// changes.
bool WriteRecord(HKEY key, const char* saved, const SourcePathSnapshot& snapshot,
                 const char* path) {
  SourcePathRecord record;
  record.Earlier.Present = snapshot.State == kSnapshotSaved;
  record.Earlier.Type = snapshot.Type;
  if (!CopyWholeText(record.Earlier.Text, sizeof record.Earlier.Text, saved) ||
      !CopyWholeText(record.Written, sizeof record.Written, path))
    return false;
  unsigned char data[kSourcePathRecordSize];
  const size_t size = EncodeSourcePathRecord(record, data);
  return size > 0 &&
         RegSetValueExA(key, kSourcePathRecordValue, 0, REG_BINARY, data,
                        static_cast<DWORD>(size)) == ERROR_SUCCESS &&
         RegFlushKey(key) == ERROR_SUCCESS;
}

bool WriteSourcePath(HKEY key, const char* data, DWORD type) {
  const DWORD size = lstrlenA(data) + 1;
  const LONG status =
      RegSetValueExA(key, kSourcePathValue, 0, type, reinterpret_cast<const BYTE*>(data), size);
  return LogTextValueSet(kSetupKeyPath, kSourcePathValue, data, status) == ERROR_SUCCESS;
}

LONG DeleteValue(HKEY key, const char* name) {
  return LogValueDeleted(kSetupKeyPath, name, RegDeleteValueA(key, name));
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
    // A value left alone for the run needs no record: an interrupted run's
    // is of no more use.
    if (snapshot->State == kSnapshotUnreadable && snapshot->Recovery != kNoRecord)
      DeleteValue(key, kSourcePathRecordValue);
  }
  bool written = false;
  if (snapshot->State == kSnapshotSaved || snapshot->State == kSnapshotAbsent) {
    if (WriteRecord(key, saved, *snapshot, path)) snapshot->Recorded = true;
    written = snapshot->Recorded && WriteSourcePath(key, path, REG_SZ);
  }
  RegCloseKey(key);
  return written;
}

namespace {

void AddValueText(LogText* log, const char* text, bool present) {
  if (present)
    AddLogQuoted(log, text, kSetupPathSize);
  else
    AddLogText(log, "no value");
}

}  // namespace

void LogSourcePathRecovery(const char* saved, const SourcePathSnapshot& snapshot) {
  if (snapshot.Recovery == kNoRecord) return;
  LogText log;
  StartLogText(&log, "recovered: ");
  if (snapshot.Recovery == kRecordDamaged) {
    AddLogText(&log,
               "the record of an interrupted run can not be read and is dropped; the value now");
  } else if (snapshot.Recovery == kRecordResumed) {
    AddLogText(&log, "SourcePath still holds ");
    AddLogQuoted(&log, snapshot.Interrupted, kSetupPathSize);
    AddLogText(&log, ", written by an interrupted run; the value before that run");
  } else {
    AddLogText(&log, "SourcePath was changed after an interrupted run wrote ");
    AddLogQuoted(&log, snapshot.Interrupted, kSetupPathSize);
    AddLogText(&log, "; that run's record is dropped and the value now");
  }
  if (snapshot.State == kSnapshotUnreadable) {
    AddLogText(&log, ", which can not be saved, is left alone");
  } else {
    AddLogText(&log, " is put back at the end: ");
    AddValueText(&log, saved, snapshot.State == kSnapshotSaved);
  }
  LogEvent(log.Text);
}

void RestoreSetupSourcePath(const char* saved, const SourcePathSnapshot& snapshot) {
  if (!snapshot.Recorded) return;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSetupKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return;
  bool restored;
  if (snapshot.State == kSnapshotSaved) {
    restored = WriteSourcePath(key, saved, snapshot.Type);
  } else {
    const LONG status = DeleteValue(key, kSourcePathValue);
    restored = status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
  // The record goes only once the earlier value is back: a run cut off in
  // between finds SourcePath changed and keeps it.
  if (restored) DeleteValue(key, kSourcePathRecordValue);
  RegCloseKey(key);
}
