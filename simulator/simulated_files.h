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

  unsigned long FileAttributes(const char* path) override;
  SystemStatus SetAttributes(const char* path, unsigned long attributes) override;
  SystemStatus CopyOneFile(const char* from, const char* to) override;
  SystemStatus RemoveFile(const char* path) override;
  SystemStatus RenameReplacing(const char* from, const char* to) override;
  SystemStatus RenameFile(const char* from, const char* to) override;
  SystemStatus MakeDirectory(const char* path) override;
  SystemStatus FindFirstMatch(const char* pattern, SearchHandle* search, char* name) override;
  SystemStatus FindNextMatch(SearchHandle search, char* name) override;
  void EndSearch(SearchHandle search) override;
  SystemStatus OpenFileToRead(const char* path, FileHandle* file) override;
  SystemStatus OpenFileToAppend(const char* path, FileHandle* file) override;
  SystemStatus ReadFromFile(FileHandle file, void* data, unsigned long size,
                            unsigned long* read) override;
  SystemStatus AppendFile(FileHandle file, const void* data, unsigned long size) override;
  unsigned long FileSize(FileHandle file) override;
  void CloseFile(FileHandle file) override;

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
  };
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
