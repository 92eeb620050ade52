#include "simulated_process.h"

#include <unordered_set>

namespace {

void CollectKeys(const ModelKey& key, std::unordered_set<const ModelKey*>* keys) {
  keys->insert(&key);
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys) CollectKeys(*subkey, keys);
}

}  // namespace

void ForgetDeletedKeys(SimulatedProcess* process) {
  bool anyOpen = false;
  for (const OpenKeyRecord& record : process->keys)
    anyOpen = anyOpen || (record.open && record.key);
  if (!anyOpen) return;
  std::unordered_set<const ModelKey*> alive;
  CollectKeys(process->machine->registry.machine, &alive);
  for (OpenKeyRecord& record : process->keys) {
    if (record.key != nullptr && alive.count(record.key) == 0) record.key = nullptr;
  }
}

SimulatedFile* FileAt(Machine* machine, const char* path, SystemStatus* status) {
  std::vector<std::string> names;
  *status = SplitFilePath(path, machine->currentDir, &names);
  if (*status != kStatusSuccess) return nullptr;
  return FindFile(&machine->disk, names, status);
}

std::string DiskFileText(Machine* machine, const std::string& path, bool* found) {
  SystemStatus status;
  const SimulatedFile* file = FileAt(machine, path.c_str(), &status);
  *found = file != nullptr && !file->directory;
  return *found ? file->content : std::string();
}

void ReadProfileFile(Machine* machine, const std::string& path, Profile* profile, bool* found) {
  ReadProfile(ProfileText(DiskFileText(machine, path, found), machine->testPlatform), profile);
}

std::string InDirectory(const std::string& directory, const std::string& name) {
  return !directory.empty() && directory.back() == '\\' ? directory + name
                                                        : directory + "\\" + name;
}

std::string DirectoryOf(const std::string& path) {
  const size_t last = path.find_last_of("\\/");
  return last == std::string::npos ? std::string() : path.substr(0, last);
}
