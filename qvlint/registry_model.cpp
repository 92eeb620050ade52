#include "registry_model.h"

#include <algorithm>
#include <cstring>

namespace {

const char kMachineName[] = "HKEY_LOCAL_MACHINE";

// The names of a path, as the registry takes it apart: empty names between
// backslashes and at the end count as none.
std::vector<std::string> SplitPath(const char* path) {
  std::vector<std::string> names;
  const char* p = path;
  while (*p != '\0') {
    const char* end = strchr(p, '\\');
    if (end == nullptr) end = p + strlen(p);
    if (end > p) names.emplace_back(p, end);
    p = *end == '\\' ? end + 1 : end;
  }
  return names;
}

// The Unicode code point of a character of the Western code page, in lower
// case: the registry compares names so after widening them, and lists the
// subkeys of a key in that order.
unsigned LowerCodePoint(unsigned char c) {
  static const unsigned short kCodePointsFrom80[32] = {
      0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021, 0x2C6,  0x2030, 0x161,
      0x2039, 0x153,  0x8D,   0x17E,  0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0xFF};
  if (c >= 'A' && c <= 'Z') return c - 'A' + 'a';
  if (c >= 0x80 && c <= 0x9F) return kCodePointsFrom80[c - 0x80];
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20u;
  return c;
}

bool ListedBefore(const std::string& a, const std::string& b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const unsigned x = LowerCodePoint(static_cast<unsigned char>(a[i]));
    const unsigned y = LowerCodePoint(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

void RemoveSubkey(ModelKey* key) {
  std::vector<std::unique_ptr<ModelKey>>& siblings = key->parent->subkeys;
  siblings.erase(
      std::find_if(siblings.begin(), siblings.end(),
                   [key](const std::unique_ptr<ModelKey>& k) { return k.get() == key; }));
}

// RegDeleteKeyA of the 9x family as the test platform does it: the subkeys
// go first, always the first one in the registry's order, read into a name
// buffer whose size is not set anew, so each must be shorter than the one
// before; the walk stops there or at a subkey that stays, and the key goes
// only when no subkey is left.
bool DeleteNineXKey(ModelKey* key) {
  size_t limit = 260;
  while (!key->subkeys.empty()) {
    ModelKey* first = key->subkeys.front().get();
    for (const std::unique_ptr<ModelKey>& subkey : key->subkeys) {
      if (ListedBefore(subkey->name, first->name)) first = subkey.get();
    }
    if (first->name.size() >= limit) break;
    limit = first->name.size();
    if (!DeleteNineXKey(first)) break;
  }
  if (!key->subkeys.empty()) return false;
  RemoveSubkey(key);
  return true;
}

ModelKey* FindSubkey(const ModelKey* key, const std::string& name) {
  for (const std::unique_ptr<ModelKey>& subkey : key->subkeys) {
    if (SameRegistryName(subkey->name, name)) return subkey.get();
  }
  return nullptr;
}

// The path after the platform's own handling of a leading backslash, or
// nullptr with the fault when the registry refuses it.
const char* PathToWalk(const char* path, bool creating, const RegistryModel& model,
                       PathFault* fault) {
  // RegCreateKeyExA of the 9x family passes over one leading backslash.
  if (creating && model.platform == kPlatform9x && path[0] == '\\') ++path;
  if (strlen(path) > kMaxAnsiPathLength)
    *fault = kPathTooLong;
  else
    *fault = path[0] == '\\' ? kPathLeadingBackslash : kPathUsable;
  return *fault == kPathUsable ? path : nullptr;
}

KeyReach ReachKey(RegistryModel* model, ModelKey* base, const char* path, bool creating,
                  unsigned line) {
  KeyReach reach = {nullptr, kPathUsable, false, nullptr};
  const char* walked = PathToWalk(path, creating, *model, &reach.fault);
  if (walked == nullptr) return reach;
  ModelKey* key = base;
  for (const std::string& name : SplitPath(walked)) {
    // The keys before a name that is too long are created and stay.
    if (name.size() > kMaxKeyNameLength) {
      reach.fault = kPathNameTooLong;
      return reach;
    }
    ModelKey* next = FindSubkey(key, name);
    if (next == nullptr && !creating) {
      reach.fault = kPathMissing;
      return reach;
    }
    if (next == nullptr) {
      std::unique_ptr<ModelKey> created(new ModelKey);
      created->name = name;
      created->parent = key;
      created->createdLine = line;
      next = created.get();
      key->subkeys.push_back(std::move(created));
      reach.created = true;
    } else {
      reach.created = false;
      if (reach.respelled == nullptr && next->name != name) reach.respelled = next;
    }
    key = next;
  }
  reach.key = key;
  return reach;
}

}  // namespace

void StartRegistryModel(RegistryModel* model, RegistryPlatform platform) {
  model->platform = platform;
  model->machine.name = kMachineName;
  model->machine.parent = nullptr;
  model->machine.createdLine = 0;
  model->machine.values.clear();
  model->machine.subkeys.clear();
  model->machine.deletedValues.clear();
}

bool SameRegistryName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerCodePoint(static_cast<unsigned char>(a[i])) !=
        LowerCodePoint(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

KeyReach CreateModelKey(RegistryModel* model, ModelKey* base, const char* path, unsigned line) {
  return ReachKey(model, base, path, true, line);
}

KeyReach OpenModelKey(RegistryModel* model, ModelKey* base, const char* path) {
  return ReachKey(model, base, path, false, 0);
}

const ModelKey* FindModelKey(const ModelKey* base, const char* path) {
  if (path[0] == '\\') return nullptr;
  const ModelKey* key = base;
  for (const std::string& name : SplitPath(path)) {
    key = FindSubkey(key, name);
    if (key == nullptr) return nullptr;
  }
  return key;
}

ModelValue* FindModelValue(ModelKey* key, const std::string& name) {
  for (ModelValue& value : key->values) {
    if (SameRegistryName(value.name, name)) return &value;
  }
  return nullptr;
}

ModelValue SetModelValue(ModelKey* key, const std::string& name, unsigned long type,
                         const std::string& data, unsigned line) {
  ModelValue* existing = FindModelValue(key, name);
  if (existing == nullptr) {
    key->values.push_back({name, type, data, line, line});
    return {name, 0, std::string(), 0, 0};
  }
  const ModelValue before = *existing;
  existing->type = type;
  existing->data = data;
  existing->lastLine = line;
  return before;
}

bool DeleteModelValue(ModelKey* key, const std::string& name) {
  key->deletedValues.push_back(name);
  for (size_t i = 0; i < key->values.size(); ++i) {
    if (SameRegistryName(key->values[i].name, name)) {
      key->values.erase(key->values.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
  }
  return false;
}

bool DeleteModelKey(RegistryModel* model, ModelKey* base, const char* path) {
  const KeyReach reach = OpenModelKey(model, base, path);
  ModelKey* key = reach.key;
  if (key == nullptr || key == base) return false;
  if (model->platform == kPlatform9x) return DeleteNineXKey(key);
  if (!key->subkeys.empty()) return false;
  RemoveSubkey(key);
  return true;
}

void DeleteModelSubkeys(ModelKey* key) { key->subkeys.clear(); }

std::string FullKeyName(const ModelKey* key) {
  if (key->parent == nullptr) return key->name;
  return FullKeyName(key->parent) + "\\" + key->name;
}
