// A machine's state taken before a run and held against the state after
// it: the files of its drive and the registry's difference, as the plan and
// the scenarios of the differential test report them. Also the one way to
// put a file of the host on the machine's drive.
#ifndef MODEL_MACHINE_SNAPSHOT_H
#define MODEL_MACHINE_SNAPSHOT_H

#include <map>
#include <string>
#include <vector>

#include "machine.h"

struct FileState {
  std::string path;  // as spelled on the machine
  std::string content;
};
// Every file of the drive by its full path in capitals ("C:\DIR\NAME").
typedef std::map<std::string, FileState> MachineFiles;

MachineFiles SnapshotFiles(const SimulatedDisk& disk);

enum FileChangeKind { kFileAdded, kFileChanged, kFileRemoved };

struct FileChange {
  std::string key;   // the full path in capitals
  std::string path;  // as spelled on the machine (before the run, for a removed file)
  FileChangeKind kind;
  const std::string* content;  // after the run; null for a removed file
};

// The files added and changed in the order of their keys, then those removed.
std::vector<FileChange> FileChanges(const MachineFiles& before, const MachineFiles& after);

// What turns the registry before a run into the one after it: the top of
// each tree that went, and a registry of the keys that are new or whose
// values change, with those values and the names of the values that went
// (`deletedValues`). Keys written are those new or with values set.
struct RegistryChanges {
  std::vector<std::string> removedKeys;
  RegistryModel changed;
  unsigned keysWritten;
  unsigned keysDeleted;
};

void CompareRegistries(const RegistryModel& before, const RegistryModel& after,
                       RegistryChanges* changes);

// The file at the drive path `names` (directories first, the file's name
// last), created with the directories on its way when missing, with
// `content`. False when a file stands where a directory goes.
bool PutMachineFile(SimulatedDisk* disk, const std::vector<std::string>& names,
                    const std::string& content);

#endif
