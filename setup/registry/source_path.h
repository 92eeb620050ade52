// The SourcePath value through which Windows finds installation files.
// During a run it names the source directory; the end of the run puts the
// earlier state back. A record beside it keeps the earlier state meanwhile,
// on disk before the first write, so that a run cut off anywhere leaves the
// next run what to put back.
#ifndef SETUP_FILES_SOURCE_PATH_H
#define SETUP_FILES_SOURCE_PATH_H

#include "../base/host.h"
#include "source_path_rules.h"

// What the first SetSetupSourcePath call found.
enum SourcePathState {
  kSnapshotNotTaken,   // no call yet, or the key did not open
  kSnapshotSaved,      // the value was read into the saved path
  kSnapshotAbsent,     // there was no value
  kSnapshotUnreadable  // a value that does not fit the buffer or is no string
};

struct SourcePathSnapshot {
  bool FirstCallMade;
  SourcePathState State;
  unsigned long Type;  // of the saved value
  bool Recorded;       // this run's record was written, so SourcePath may change
  bool Settled;        // what the first write changes besides was done
  SourcePathRecovery Recovery;
  char Interrupted[kSetupPathSize];  // the path that an interrupted run wrote
};

// Writes path as SourcePath, after the record of the earlier value and of
// path. The first call also takes a snapshot of the value in place before:
// its text into saved (kSetupPathSize bytes), the rest into snapshot; when
// an interrupted run left a record and SourcePath still holds its path,
// the earlier value is the record's. False when path is null, the key does
// not open, or the earlier value could not be saved or recorded (then it is
// left as it is, for the whole run).
bool SetSetupSourcePath(Host& host, const char* path, char* saved, SourcePathSnapshot* snapshot);

// Takes the snapshot of the first SetSetupSourcePath call ahead of it,
// changing nothing, so that the run can tell the value before it decides
// to change anything.
void ReadSetupSourcePath(Host& host, char* saved, SourcePathSnapshot* snapshot);

// Tells, as a note, what the first call recovered from an
// interrupted run's record; nothing when it found none.
void TellSourcePathRecovery(Host& host, const char* saved, const SourcePathSnapshot& snapshot);

// Puts back what the first SetSetupSourcePath call found: the saved value
// with its type, or no value at all when there was none; then removes the
// record. What can not be put back or removed marks the host's
// ChangeFailed.
void RestoreSetupSourcePath(Host& host, const char* saved, const SourcePathSnapshot& snapshot);

#endif
