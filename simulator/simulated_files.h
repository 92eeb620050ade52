// The files of the simulated Windows: the machine's drive (file_system.h).
// A file that the run holds open can be neither deleted nor replaced, as
// its sharing mode says.
#ifndef SIMULATOR_SIMULATED_FILES_H
#define SIMULATOR_SIMULATED_FILES_H

#include <string>
#include <vector>

#include "base/system.h"
#include "simulated_process.h"

class SimulatedFiles : public FileCalls {
 public:
  explicit SimulatedFiles(SimulatedProcess* process);
  // The process ends: the handles of its files close with it.
  ~SimulatedFiles() override;

  SYSTEM_FILE_CALLS(override)

  // A copy that runs out of room half-way: it leaves the first half of the
  // file in its destination and answers ERROR_DISK_FULL, unless it fails
  // before it writes.
  SystemStatus CopyUntilDiskFull(const char* from, const char* to);
  // Whether the platform has the replacing rename: the 9x family lacks it,
  // the test platform has it on every class.
  bool HasRenameReplacing() const;

 private:
  struct OpenFileRecord {
    SimulatedFile* file;
    size_t position;
    bool open;
    bool appending;  // shares reading and writing; a reading one shares reading only
  };
  bool HeldByRun(const SimulatedFile* file, bool reading) const;
  struct SearchRecord {
    std::vector<std::string> names;
    size_t next;
    bool open;
  };

  SystemStatus Copy(const char* from, const char* to, bool halfway);
  // A file renamed, replacing a file of the new name or not.
  SystemStatus Move(const char* from, const char* to, bool replacing);
  OpenFileRecord* OpenFile(FileHandle file);

  Machine* machine_;
  std::vector<OpenFileRecord> files_;
  std::vector<SearchRecord> searches_;
};

#endif
