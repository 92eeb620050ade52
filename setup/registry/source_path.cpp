#include "source_path.h"

#include <string.h>

#include "../base/log_rules.h"
#include "../base/paths.h"

namespace {

const char kSetupKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
const char kSourcePathValue[] = "SourcePath";

SourcePathState ReadSourcePath(System& system, KeyHandle key, SourcePathValue* value) {
  unsigned long type = 0, size = kSetupPathSize;
  const SystemStatus status = system.QueryValue(key, kSourcePathValue, &type,
                                                reinterpret_cast<unsigned char*>(value->Text),
                                                &size);
  const bool isString = type == kRegistryString || type == kRegistryExpandString;
  // A string that fills the whole buffer without a terminator was cut.
  const bool whole = size < kSetupPathSize || value->Text[kSetupPathSize - 1] == '\0';
  value->Present = status == kStatusSuccess && isString && whole;
  value->Type = type;
  if (value->Present) {
    if (size < kSetupPathSize) value->Text[size] = '\0';
    return kSnapshotSaved;
  }
  value->Text[0] = '\0';
  return status == kStatusFileNotFound ? kSnapshotAbsent : kSnapshotUnreadable;
}

SourcePathRecovery ReadRecord(System& system, KeyHandle key, SourcePathRecord* record) {
  unsigned char data[kSourcePathRecordSize];
  unsigned long type = 0, size = sizeof data;
  const SystemStatus status = system.QueryValue(key, kSourcePathRecordValue, &type, data, &size);
  if (status == kStatusFileNotFound) return kNoRecord;
  if (status != kStatusSuccess || type != kRegistryBinary ||
      !DecodeSourcePathRecord(data, size, record))
    return kRecordDamaged;
  return kRecordResumed;
}

// The earlier value is SourcePath as found, unless an interrupted run's
// record shows that the run wrote it: then it is the record's.
void TakeSnapshot(Host& host, KeyHandle key, char* saved, SourcePathSnapshot* snapshot) {
  System& system = *host.system;
  SourcePathValue earlier;
  snapshot->State = ReadSourcePath(system, key, &earlier);
  SourcePathRecord record;
  snapshot->Recovery = ReadRecord(system, key, &record);
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
}

// The record of the earlier value and of path, on disk before SourcePath
// changes.
bool WriteRecord(Host& host, KeyHandle key, const char* saved, const SourcePathSnapshot& snapshot,
                 const char* path) {
  System& system = *host.system;
  SourcePathRecord record;
  record.Earlier.Present = snapshot.State == kSnapshotSaved;
  record.Earlier.Type = snapshot.Type;
  if (!CopyWholeText(record.Earlier.Text, sizeof record.Earlier.Text, saved) ||
      !CopyWholeText(record.Written, sizeof record.Written, path))
    return false;
  unsigned char data[kSourcePathRecordSize];
  const size_t size = EncodeSourcePathRecord(record, data);
  if (size == 0) return false;
  const unsigned long written = static_cast<unsigned long>(size);
  const SystemStatus status =
      system.SetValue(key, kSourcePathRecordValue, kRegistryBinary, data, written);
  TellListeners(host, ValueEvent(kEventRecordWritten, kSetupKeyPath, kSourcePathRecordValue,
                                 kRegistryBinary, data, written, status));
  if (status != kStatusSuccess) return false;
  if (system.FlushKey(key) == kStatusSuccess) return true;
  // A record that may not be on disk protects nothing: SourcePath is left
  // alone, and the record goes again.
  TellListeners(host, ValueEvent(kEventRecordDropped, kSetupKeyPath, kSourcePathRecordValue, 0,
                                 nullptr, 0, system.DeleteValue(key, kSourcePathRecordValue)));
  return false;
}

bool WriteSourcePath(Host& host, KeyHandle key, const char* data, unsigned long type) {
  const unsigned long size = static_cast<unsigned long>(strlen(data) + 1);
  const SystemStatus status = host.system->SetValue(key, kSourcePathValue, type,
                                                    reinterpret_cast<const unsigned char*>(data),
                                                    size);
  TellListeners(host, ValueEvent(kEventValueSet, kSetupKeyPath, kSourcePathValue, type, data, size,
                                 status));
  return status == kStatusSuccess;
}

SystemStatus DeleteValue(Host& host, KeyHandle key, const char* name) {
  const SystemStatus status = host.system->DeleteValue(key, name);
  TellListeners(host, ValueEvent(kEventValueDeleted, kSetupKeyPath, name, 0, nullptr, 0, status));
  return status;
}

// What the run changes for the snapshot, once, before SourcePath: the
// saved directory made where it is missing, and the record of an
// interrupted run dropped where the value is left alone.
void SettleSnapshot(Host& host, KeyHandle key, const char* saved, SourcePathSnapshot* snapshot) {
  System& system = *host.system;
  if (snapshot->Settled || snapshot->State == kSnapshotNotTaken) return;
  snapshot->Settled = true;
  if (!PathExists(system, saved))
    TellOutcome(host, kEventDirectoryMade, saved, nullptr, system.MakeDirectory(saved));
  // A value left alone for the run needs no record: an interrupted run's
  // is of no more use.
  if (snapshot->State == kSnapshotUnreadable && snapshot->Recovery != kNoRecord)
    DeleteValue(host, key, kSourcePathRecordValue);
}

}  // namespace

void ReadSetupSourcePath(Host& host, char* saved, SourcePathSnapshot* snapshot) {
  if (snapshot->FirstCallMade) return;
  snapshot->FirstCallMade = true;
  KeyHandle key;
  if (host.system->OpenKey(kSetupKeyPath, kKeyAllAccess, &key) != kStatusSuccess) return;
  TakeSnapshot(host, key, saved, snapshot);
  host.system->CloseKey(key);
}

bool SetSetupSourcePath(Host& host, const char* path, char* saved, SourcePathSnapshot* snapshot) {
  if (!path) return false;
  System& system = *host.system;
  KeyHandle key;
  if (system.OpenKey(kSetupKeyPath, kKeyAllAccess, &key) != kStatusSuccess) {
    snapshot->FirstCallMade = true;
    return false;
  }
  if (!snapshot->FirstCallMade) {
    TakeSnapshot(host, key, saved, snapshot);
    snapshot->FirstCallMade = true;
  }
  SettleSnapshot(host, key, saved, snapshot);
  bool written = false;
  if (snapshot->State == kSnapshotSaved || snapshot->State == kSnapshotAbsent) {
    if (WriteRecord(host, key, saved, *snapshot, path)) snapshot->Recorded = true;
    written = snapshot->Recorded && WriteSourcePath(host, key, path, kRegistryString);
  }
  system.CloseKey(key);
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

void TellSourcePathRecovery(Host& host, const char* saved, const SourcePathSnapshot& snapshot) {
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
  TellNote(host, log.Text);
}

void RestoreSetupSourcePath(Host& host, const char* saved, const SourcePathSnapshot& snapshot) {
  if (!snapshot.Recorded) return;
  KeyHandle key;
  if (host.system->OpenKey(kSetupKeyPath, kKeyAllAccess, &key) != kStatusSuccess) {
    TellFailure(host, "SourcePath is not put back: its key does not open");
    FailChange(host);
    return;
  }
  bool restored;
  if (snapshot.State == kSnapshotSaved) {
    restored = WriteSourcePath(host, key, saved, snapshot.Type);
  } else {
    const SystemStatus status = DeleteValue(host, key, kSourcePathValue);
    restored = status == kStatusSuccess || status == kStatusFileNotFound;
  }
  // The record goes only once the earlier value is back: a run cut off in
  // between finds SourcePath changed and keeps it. A value that is not put
  // back, or a record that stays, fails the run; the record keeps the
  // earlier value for the next run.
  if (!restored || DeleteValue(host, key, kSourcePathRecordValue) != kStatusSuccess) {
    TellFailure(host, restored ? "the record of SourcePath stays"
                               : "SourcePath is not put back to its earlier value");
    FailChange(host);
  }
  host.system->CloseKey(key);
}
