// The record that keeps the earlier SourcePath while a run has pointed it at
// the medium, so that a run cut off before its end loses nothing: its form
// in the registry, and what a later run that finds it takes as the value
// to put back.
#ifndef SETUP_FILES_SOURCE_PATH_RULES_H
#define SETUP_FILES_SOURCE_PATH_RULES_H

#include <stddef.h>

#include "../base/paths_rules.h"
#include "../base/system_types.h"

// A binary value beside SourcePath: the earlier value's type (4 bytes, least
// significant first; 0 when there was no value), its text with a NUL, and
// the path that the run writes, with a NUL.
const char* const kSourcePathRecordValue = "SourcePathBeforeTavelinSetup";
const size_t kSourcePathRecordSize = 4 + 2 * kSetupPathSize;

// A SourcePath value as a run finds or keeps it.
struct SourcePathValue {
  bool Present;
  unsigned long Type;  // kRegistryString or kRegistryExpandString when present
  char Text[kSetupPathSize];
};

struct SourcePathRecord {
  SourcePathValue Earlier;
  char Written[kSetupPathSize];
};

// The record's bytes into out (kSourcePathRecordSize bytes); their count, 0
// when the record holds a text too long for it.
size_t EncodeSourcePathRecord(const SourcePathRecord& record, unsigned char* out);

// False for bytes that are no whole record (a damaged or foreign value).
bool DecodeSourcePathRecord(const unsigned char* data, size_t size, SourcePathRecord* record);

// What a run made of a record that an interrupted run left.
enum SourcePathRecovery {
  kNoRecord,
  kRecordResumed,  // SourcePath still held the interrupted run's path: its earlier value is taken
  kRecordDropped,  // SourcePath was changed since: its value now is the earlier one
  kRecordDamaged   // the record could not be read: SourcePath's value now is the earlier one
};

// Whether SourcePath, as found, still holds what the interrupted run wrote.
bool StillWrittenByRecord(const SourcePathValue& current, const SourcePathRecord& record);

#endif
