#include "simulated_registry.h"

#include <algorithm>
#include <cstring>

namespace {

SystemStatus StatusOfFault(PathFault fault) {
  switch (fault) {
    case kPathUsable:
      return kStatusSuccess;
    case kPathLeadingBackslash:
      return kStatusBadPathname;
    case kRegistryPathTooLong:
      return kStatusFilenameTooLong;
    case kPathMissing:
      return kStatusFileNotFound;
    case kPathNameTooLong:
    case kValueNameRefused:
    case kValueDataRefused:
      break;
  }
  return kStatusInvalidParameter;
}

// Copies name (terminated) into out when it fits size bytes, as the
// enumeration calls do: ERROR_MORE_DATA otherwise.
SystemStatus CopyName(const std::string& name, char* out, unsigned long* size) {
  if (*size <= name.size()) return kStatusMoreData;
  memcpy(out, name.c_str(), name.size() + 1);
  *size = static_cast<unsigned long>(name.size());
  return kStatusSuccess;
}

// The data of a value into data (dataSize bytes in, the data's size out):
// ERROR_MORE_DATA when it does not fit; only the size without a buffer.
bool IsStringType(unsigned long type) {
  return type == kRegistryString || type == kRegistryExpandString || type == kRegistryMultiString;
}

// A string stored without its terminator gets one after it where the
// buffer has room, its size unchanged.
SystemStatus CopyData(const ModelValue& value, unsigned char* data, unsigned long* dataSize) {
  if (dataSize == nullptr) return data == nullptr ? kStatusSuccess : kStatusInvalidParameter;
  const std::string& bytes = value.data;
  const unsigned long needed = static_cast<unsigned long>(bytes.size());
  if (data != nullptr && *dataSize < needed) {
    *dataSize = needed;
    return kStatusMoreData;
  }
  if (data != nullptr) memcpy(data, bytes.data(), bytes.size());
  if (data != nullptr && *dataSize > needed && IsStringType(value.type) &&
      (bytes.empty() || bytes.back() != '\0'))
    data[needed] = '\0';
  *dataSize = needed;
  return kStatusSuccess;
}

template <typename Entry>
const Entry* At(const std::vector<const Entry*>& entries, unsigned long index) {
  return index < entries.size() ? entries[index] : nullptr;
}

}  // namespace

std::vector<const ModelKey*> SubkeysInOrder(const RegistryModel& registry, const ModelKey& key) {
  std::vector<const ModelKey*> subkeys;
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys) subkeys.push_back(subkey.get());
  if (TestPlatform(registry.platform)) {
    std::sort(subkeys.begin(), subkeys.end(), [](const ModelKey* a, const ModelKey* b) {
      return a->folded.characters < b->folded.characters;
    });
  }
  return subkeys;
}

std::vector<const ModelValue*> ValuesInOrder(const RegistryModel& registry, const ModelKey& key) {
  std::vector<const ModelValue*> values;
  for (const ModelValue& value : key.values) values.push_back(&value);
  if (TestPlatform(registry.platform)) {
    std::sort(values.begin(), values.end(), [](const ModelValue* a, const ModelValue* b) {
      return a->folded.characters < b->folded.characters;
    });
  }
  return values;
}

SimulatedRegistry::SimulatedRegistry(SimulatedProcess* process) : process_(process) {}

ModelKey* SimulatedRegistry::KeyOf(KeyHandle key, bool writing, SystemStatus* status) const {
  const std::vector<OpenKeyRecord>& keys = process_->keys;
  const size_t index = IndexOf(key);
  if (key == nullptr || index >= keys.size() || !keys[index].open) {
    *status = kStatusInvalidHandle;
    return nullptr;
  }
  const OpenKeyRecord& record = keys[index];
  if (record.key == nullptr) {
    *status = kStatusKeyDeleted;
    return nullptr;
  }
  // The registry of Windows 9x checks no access rights.
  if (writing && !record.writable && process_->machine->registry.platform != kPlatform9x) {
    *status = kStatusAccessDenied;
    return nullptr;
  }
  *status = kStatusSuccess;
  return record.key;
}

ModelKey* SimulatedRegistry::ReadableKey(KeyHandle key) const {
  SystemStatus status;
  return KeyOf(key, false, &status);
}

bool SimulatedRegistry::KeyCreated(KeyHandle key) const {
  const size_t index = IndexOf(key);
  return key != nullptr && index < process_->keys.size() && process_->keys[index].created;
}

const ModelKey* SimulatedRegistry::SubkeyAt(KeyHandle key, unsigned long index) const {
  const ModelKey* open = ReadableKey(key);
  return open != nullptr ? At(SubkeysInOrder(process_->machine->registry, *open), index) : nullptr;
}

const ModelValue* SimulatedRegistry::ValueAt(KeyHandle key, unsigned long index) const {
  const ModelKey* open = ReadableKey(key);
  return open != nullptr ? At(ValuesInOrder(process_->machine->registry, *open), index) : nullptr;
}

const ModelValue* SimulatedRegistry::ValueNamed(KeyHandle key, const char* name) const {
  ModelKey* open = ReadableKey(key);
  unsigned undocumented = 0;
  return open != nullptr
             ? FindModelValue(process_->machine->registry, open, name ? name : "", &undocumented)
             : nullptr;
}

SystemStatus SimulatedRegistry::OpenKey(const char* path, KeyAccess access, KeyHandle* key) {
  RegistryModel* registry = &process_->machine->registry;
  const KeyReach reach = OpenModelKey(registry, &registry->machine, path ? path : "");
  // RegOpenKeyEx of 95, 98 and ME finds no key of a path that starts with
  // a backslash.
  if (reach.fault == kPathLeadingBackslash && registry->platform == kPlatform9x)
    return kStatusFileNotFound;
  if (reach.key == nullptr) return StatusOfFault(reach.fault);
  process_->keys.push_back({reach.key, access == kKeyAllAccess, false, true});
  *key = HandleOf<KeyHandle>(process_->keys.size() - 1);
  return kStatusSuccess;
}

SystemStatus SimulatedRegistry::CreateKey(const char* path, KeyHandle* key) {
  RegistryModel* registry = &process_->machine->registry;
  const KeyReach reach = CreateModelKey(registry, &registry->machine, path ? path : "", 0);
  if (reach.key == nullptr) return StatusOfFault(reach.fault);
  process_->keys.push_back({reach.key, true, reach.created, true});
  *key = HandleOf<KeyHandle>(process_->keys.size() - 1);
  return kStatusSuccess;
}

void SimulatedRegistry::CloseKey(KeyHandle key) {
  const size_t index = IndexOf(key);
  if (key != nullptr && index < process_->keys.size()) process_->keys[index].open = false;
}

SystemStatus SimulatedRegistry::EnumKey(KeyHandle key, unsigned long index, char* name,
                                        unsigned long* nameSize) {
  SystemStatus status;
  if (KeyOf(key, false, &status) == nullptr) return status;
  const ModelKey* subkey = SubkeyAt(key, index);
  return subkey != nullptr ? CopyName(subkey->name, name, nameSize) : kStatusNoMoreItems;
}

SystemStatus SimulatedRegistry::EnumValue(KeyHandle key, unsigned long index, char* name,
                                          unsigned long* nameSize, unsigned char* data,
                                          unsigned long* dataSize) {
  SystemStatus status;
  if (KeyOf(key, false, &status) == nullptr) return status;
  const ModelValue* value = ValueAt(key, index);
  if (value == nullptr) return kStatusNoMoreItems;
  // Data that does not fit leaves the name and its size as they were.
  if (data != nullptr && dataSize != nullptr && *dataSize < value->data.size())
    return CopyData(*value, data, dataSize);
  if (*nameSize <= value->name.size()) {
    // A name that does not fit arrives cut, and the data whole; the 9x
    // family counts the characters it copied.
    if (*nameSize > 0) {
      memcpy(name, value->name.data(), *nameSize - 1);
      name[*nameSize - 1] = '\0';
      if (process_->machine->registry.platform == kPlatform9x) --*nameSize;
    }
    CopyData(*value, data, dataSize);
    return kStatusMoreData;
  }
  status = CopyName(value->name, name, nameSize);
  return status == kStatusSuccess ? CopyData(*value, data, dataSize) : status;
}

SystemStatus SimulatedRegistry::QueryValue(KeyHandle key, const char* name, unsigned long* type,
                                           unsigned char* data, unsigned long* dataSize) {
  SystemStatus status;
  if (KeyOf(key, false, &status) == nullptr) return status;
  const ModelValue* value = ValueNamed(key, name);
  // The type of a value that is not there reads as REG_NONE.
  if (type != nullptr) *type = value != nullptr ? value->type : 0;
  if (value == nullptr) return kStatusFileNotFound;
  return CopyData(*value, data, dataSize);
}

SystemStatus SimulatedRegistry::SetValue(KeyHandle key, const char* name, unsigned long type,
                                         const unsigned char* data, unsigned long size) {
  SystemStatus status;
  ModelKey* open = KeyOf(key, true, &status);
  if (open == nullptr) return status;
  ModelValue before;
  std::string bytes(reinterpret_cast<const char*>(data), data != nullptr ? size : 0);
  const char* text = reinterpret_cast<const char*>(data);
  // The 9x registry stores a string to its terminator, whatever the size,
  // and takes no string without data; NT's takes the terminator that
  // follows a size that left it out. The test platform does each in its
  // family's mode.
  const bool nineX = NineXFamily(process_->machine->registry.platform);
  if (type == kRegistryString && data == nullptr && nineX) return kStatusInvalidParameter;
  if (nineX && type == kRegistryString && data != nullptr)
    bytes.assign(text, strlen(text) + 1);
  else if (!nineX && IsStringType(type) && data != nullptr && size > 0 && text[size - 1] != '\0' &&
           text[size] == '\0')
    bytes.push_back('\0');
  return StatusOfFault(
      SetModelValue(&process_->machine->registry, open, name ? name : "", type, bytes, 0, &before));
}

SystemStatus SimulatedRegistry::DeleteValue(KeyHandle key, const char* name) {
  SystemStatus status;
  ModelKey* open = KeyOf(key, true, &status);
  if (open == nullptr) return status;
  // NT 4.0 and 2000 take the name into a buffer of the value names that
  // they store.
  const RegistryModel& registry = process_->machine->registry;
  if (name != nullptr && registry.platform == kPlatformNt &&
      strlen(name) > LimitsOf(registry.platform).valueName)
    return kStatusMoreData;
  return DeleteModelValue(process_->machine->registry, open, name ? name : "")
             ? kStatusSuccess
             : kStatusFileNotFound;
}

SystemStatus SimulatedRegistry::DeleteKey(const char* path) {
  RegistryModel* registry = &process_->machine->registry;
  const KeyReach reach = OpenModelKey(registry, &registry->machine, path ? path : "");
  if (reach.key == nullptr) return StatusOfFault(reach.fault);
  // A key with subkeys stays on NT; on the test platform set to 9x, when
  // its walk over them stops.
  const bool deleted = reach.key != &registry->machine &&
                       DeleteModelKey(registry, &registry->machine, path ? path : "");
  ForgetDeletedKeys(process_);
  return deleted ? kStatusSuccess : kStatusAccessDenied;
}

SystemStatus SimulatedRegistry::FlushKey(KeyHandle key) {
  SystemStatus status;
  KeyOf(key, false, &status);
  return status;
}
