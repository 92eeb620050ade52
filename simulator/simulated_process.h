// What the groups of the simulated Windows share of the process that runs
// on it: the machine, the clock, the error mode and the open keys, which a
// change of the registry by a program or a library reaches too; and the
// ways of the process to the machine's drive and its paths.
#ifndef SIMULATOR_SIMULATED_PROCESS_H
#define SIMULATOR_SIMULATED_PROCESS_H

#include <cstdint>
#include <string>
#include <vector>

#include "base/system_types.h"
#include "machine.h"
#include "profile.h"

// The Win32 error codes of the simulated calls beyond those of the seam.
const SystemStatus kStatusInvalidParameter = 87;
const SystemStatus kStatusBadPathname = 161;
const SystemStatus kStatusKeyDeleted = 1018;

struct OpenKeyRecord {
  ModelKey* key;  // nullptr once deleted
  bool writable;
  bool created;  // the call that opened it created the key
  bool open;
};

struct SimulatedProcess {
  Machine* machine;
  long long clock;          // ms since the start of the run
  unsigned long errorMode;  // SetErrorMode's
  std::vector<OpenKeyRecord> keys;
};

// Marks the open keys that are gone from the registry as deleted under
// their handles.
void ForgetDeletedKeys(SimulatedProcess* process);

// The handles of the simulation are the numbers of their records, from 1.
template <typename Handle>
Handle HandleOf(size_t index) {
  return reinterpret_cast<Handle>(static_cast<uintptr_t>(index + 1));
}

template <typename Handle>
size_t IndexOf(Handle handle) {
  return static_cast<size_t>(reinterpret_cast<uintptr_t>(handle)) - 1;
}

// The earliest moment of `events` into `at`; false when there are none.
template <typename Event>
bool Earliest(const std::vector<Event>& events, long long Event::*moment, long long* at) {
  for (const Event& event : events) {
    if (&event == &events.front() || event.*moment < *at) *at = event.*moment;
  }
  return !events.empty();
}

// The file or directory of a path, relative to the current directory;
// nullptr with the status when there is none.
SimulatedFile* FileAt(Machine* machine, const char* path, SystemStatus* status);

// The content of the file of a path; empty, and `found` false, when the
// path names no file.
std::string DiskFileText(Machine* machine, const std::string& path, bool* found);

// The profile file of a path as the machine's reader reads it; empty, and
// `found` false, when the path names no file.
void ReadProfileFile(Machine* machine, const std::string& path, Profile* profile, bool* found);

// The path of `name` in `directory`, and the directory of a path (empty
// when it has none).
std::string InDirectory(const std::string& directory, const std::string& name);
std::string DirectoryOf(const std::string& path);

#endif
