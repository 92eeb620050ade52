// A fault plan makes one call of a run on the simulated Windows fail, or
// ends the process right after one call (a reset, a killed setup): the
// call throws ProcessCut into the run's driver, and the machine keeps what
// the calls up to it did.
#ifndef SIMULATOR_FAULT_PLAN_H
#define SIMULATOR_FAULT_PLAN_H

#include <cstddef>

#include "call_record.h"
#include "forwarding_system.h"
#include "simulated_files.h"

// Calls are counted from 1 in the order of the call record; 0 plans nothing.
// The failing call has no effect and answers `failStatus` (as its kind of
// answer can tell it: a missing file's attributes, false, 0, a program
// that did not start), except a copy that fails with ERROR_DISK_FULL: it
// leaves the first half of the file in its destination, as a copy that
// runs out of room part-way does.
struct FaultPlan {
  size_t failCall;
  SystemStatus failStatus;
  size_t cutAfter;
};

// Thrown into the run's driver where the process ends: after the call at
// which the plan cuts it, or at its own end (EndProcess).
struct ProcessCut {};

// The plan between the call record and the groups of the simulated
// Windows: the calls that can fail fail here when their turn comes; the
// others, and the calls of the plan's other turns, go on to the groups.
// A call that the platform lacks does not fail otherwise.
class PlannedFaults : public ForwardingSystem, public CallPlan {
 public:
  PlannedFaults(const SeamGroups& groups, SimulatedFiles* files, const FaultPlan& plan);

  bool AnsweredAsPlanned(SystemStatus* status) const override;
  void Recorded(size_t count) override;

  SystemStatus OpenKey(const char* path, KeyAccess access, KeyHandle* key) override;
  SystemStatus CreateKey(const char* path, KeyHandle* key) override;
  SystemStatus EnumKey(KeyHandle key, unsigned long index, char* name,
                       unsigned long* nameSize) override;
  SystemStatus EnumValue(KeyHandle key, unsigned long index, char* name, unsigned long* nameSize,
                         unsigned char* data, unsigned long* dataSize) override;
  SystemStatus QueryValue(KeyHandle key, const char* name, unsigned long* type, unsigned char* data,
                          unsigned long* dataSize) override;
  SystemStatus SetValue(KeyHandle key, const char* name, unsigned long type,
                        const unsigned char* data, unsigned long size) override;
  SystemStatus DeleteValue(KeyHandle key, const char* name) override;
  SystemStatus DeleteKey(const char* path) override;
  SystemStatus FlushKey(KeyHandle key) override;

  unsigned long FileAttributes(const char* path) override;
  SystemStatus SetAttributes(const char* path, unsigned long attributes) override;
  SystemStatus CopyOneFile(const char* from, const char* to) override;
  SystemStatus RemoveFile(const char* path) override;
  SystemStatus RenameReplacing(const char* from, const char* to) override;
  SystemStatus RenameFile(const char* from, const char* to) override;
  SystemStatus MakeDirectory(const char* path) override;
  SystemStatus FindFirstMatch(const char* pattern, SearchHandle* search, char* name) override;
  SystemStatus FindNextMatch(SearchHandle search, char* name) override;
  SystemStatus OpenFileToRead(const char* path, FileHandle* file) override;
  SystemStatus OpenFileToAppend(const char* path, FileHandle* file) override;
  SystemStatus ReadFromFile(FileHandle file, void* data, unsigned long size,
                            unsigned long* read) override;
  SystemStatus AppendFile(FileHandle file, const void* data, unsigned long size) override;
  SystemStatus FreeSpace(const char* path, unsigned long long* bytes) override;
  SystemStatus ProbeExclusiveOpen(const char* path, bool toWrite) override;

  bool ChangeDirectory(const char* path) override;
  unsigned long ShortPath(const char* path, char* out, unsigned long size) override;
  unsigned long ProfileString(const char* section, const char* key, char* out, unsigned long size,
                              const char* file) override;

  ProgramResult RunProgram(const char* path, char* commandLine) override;
  SystemStatus OpenLibrary(const char* name, LibraryHandle* library) override;

 private:
  // Whether the call about to be made is the plan's to fail, and whether
  // the plan answers it (it does, when it fails it).
  bool Turn() const;
  bool Failing();

  SimulatedFiles* files_;
  FaultPlan plan_;
  size_t recorded_;
  bool answered_;
};

#endif
