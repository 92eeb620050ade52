#include "machine_snapshot.h"

namespace {

void CollectFiles(const SimulatedFile& directory, MachineFiles* files) {
  for (const std::unique_ptr<SimulatedFile>& entry : directory.entries) {
    if (entry->directory) {
      CollectFiles(*entry, files);
    } else {
      const std::string path = FullFilePath(*entry);
      (*files)[FileNameCapitals(path)] = {path, entry->content};
    }
  }
}

const ModelKey* SameKey(const ModelKey& parent, const ModelKey& key) {
  const auto named = parent.subkeysByName.equal_range(key.folded.hash);
  for (auto each = named.first; each != named.second; ++each) {
    if (each->second->folded == key.folded) return each->second;
  }
  return nullptr;
}

const ModelValue* SameValue(const ModelKey& key, const ModelValue& value) {
  const auto named = key.valuePositions.equal_range(value.folded.hash);
  for (auto each = named.first; each != named.second; ++each) {
    if (key.values[each->second].folded == value.folded) return &key.values[each->second];
  }
  return nullptr;
}

unsigned KeysOfTree(const ModelKey& key) {
  unsigned count = 1;
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys) count += KeysOfTree(*subkey);
  return count;
}

// The key's own changes into the changed registry.
void NoteKeyChanges(const ModelKey* before, const ModelKey& after, const std::string& path,
                    RegistryChanges* changes) {
  std::vector<const ModelValue*> set;
  std::vector<std::string> removed;
  for (const ModelValue& value : after.values) {
    const ModelValue* earlier = before != nullptr ? SameValue(*before, value) : nullptr;
    if (earlier == nullptr || earlier->type != value.type || earlier->data != value.data)
      set.push_back(&value);
  }
  if (before != nullptr) {
    for (const ModelValue& value : before->values) {
      if (SameValue(after, value) == nullptr) removed.push_back(value.name);
    }
  }
  const bool created = before == nullptr;
  if ((created && after.subkeys.empty()) || !set.empty() || !removed.empty()) {
    RegistryModel* model = &changes->changed;
    // The names come from a registry of the same platform: it takes them.
    ModelKey* key = CreateModelKey(model, &model->machine, path.c_str(), 0).key;
    for (const ModelValue* value : set) {
      ModelValue kept;
      SetModelValue(model, key, value->name, value->type, value->data, 0, &kept);
    }
    key->deletedValues = removed;
  }
  if (created || !set.empty()) ++changes->keysWritten;
}

void CompareKey(const ModelKey* before, const ModelKey& after, const std::string& path,
                RegistryChanges* changes) {
  NoteKeyChanges(before, after, path, changes);
  for (const std::unique_ptr<ModelKey>& subkey : after.subkeys) {
    CompareKey(before != nullptr ? SameKey(*before, *subkey) : nullptr, *subkey,
               path.empty() ? subkey->name : path + "\\" + subkey->name, changes);
  }
  if (before == nullptr) return;
  for (const std::unique_ptr<ModelKey>& subkey : before->subkeys) {
    if (SameKey(after, *subkey) != nullptr) continue;
    changes->removedKeys.push_back(FullKeyName(subkey.get()));
    changes->keysDeleted += KeysOfTree(*subkey);
  }
}

}  // namespace

MachineFiles SnapshotFiles(const SimulatedDisk& disk) {
  MachineFiles files;
  CollectFiles(disk.root, &files);
  return files;
}

std::vector<FileChange> FileChanges(const MachineFiles& before, const MachineFiles& after) {
  std::vector<FileChange> changes;
  for (const auto& file : after) {
    const auto earlier = before.find(file.first);
    if (earlier == before.end())
      changes.push_back({file.first, file.second.path, kFileAdded, &file.second.content});
    else if (earlier->second.content != file.second.content)
      changes.push_back({file.first, file.second.path, kFileChanged, &file.second.content});
  }
  for (const auto& file : before) {
    if (after.count(file.first) == 0)
      changes.push_back({file.first, file.second.path, kFileRemoved, nullptr});
  }
  return changes;
}

void CompareRegistries(const RegistryModel& before, const RegistryModel& after,
                       RegistryChanges* changes) {
  StartRegistryModel(&changes->changed, after.platform, after.codePage.number);
  changes->removedKeys.clear();
  changes->keysWritten = changes->keysDeleted = 0;
  CompareKey(&before.machine, after.machine, "", changes);
}

bool PutMachineFile(SimulatedDisk* disk, const std::vector<std::string>& names,
                    const std::string& content) {
  std::vector<std::string> directories(names.begin(), names.end() - 1);
  SimulatedFile* directory = MakeDirectories(disk, directories);
  if (directory == nullptr || !directory->directory) return false;
  SimulatedFile* file = FindEntry(*disk, *directory, names.back());
  if (file == nullptr) file = AddEntry(directory, names.back(), false);
  WriteContent(disk, file, content);
  return true;
}
