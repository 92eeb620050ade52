// The SourcePath value through which Windows finds installation files.
// During a run it names the source directory; the end of the run puts the
// earlier state back.
#ifndef SETUP_FILES_SOURCE_PATH_H
#define SETUP_FILES_SOURCE_PATH_H

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
};

// Writes path as SourcePath. The first call also takes a snapshot of the
// value in place before: its text into saved (kSetupPathSize bytes), the
// rest into snapshot. False when path is null, the key does not open, or
// the earlier value could not be saved (then it is left as it is, for the
// whole run).
bool SetSetupSourcePath(const char* path, char* saved, SourcePathSnapshot* snapshot);

// Puts back what the first SetSetupSourcePath call found: the saved value
// with its type, or no value at all when there was none.
void RestoreSetupSourcePath(const char* saved, const SourcePathSnapshot& snapshot);

#endif
