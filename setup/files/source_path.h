// The SourcePath value through which Windows finds installation files.
// During a run it names the source directory; the end of the run puts the
// earlier state back.
#pragma once

// Writes path as SourcePath. The first call also takes a snapshot of the
// value in place before (into SetupPaths.SavedSourcePath). Returns 1 when
// written, 0 when path is null, the key does not open, or the earlier
// value could not be saved (then it is left as it is, for the whole run).
int SetSetupSourcePath(const char* path);

// Puts back what the first SetSetupSourcePath call found: the saved value
// with its type, or no value at all when there was none.
void RestoreSetupSourcePath();
