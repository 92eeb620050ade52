#include "registry_model.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

const char kMachineName[] = "HKEY_LOCAL_MACHINE";
const char32_t kBackslash = U'\\';

FoldedName Folded(const RegistryModel& model, const std::string& name) {
  FoldedName folded;
  folded.characters = FoldedCodePoints(model.codePage, name);
  folded.hash = std::hash<std::u32string>()(folded.characters);
  return folded;
}

size_t CharacterCount(const RegistryModel& model, const std::string& name) {
  return CodePageCharacters(model.codePage, name).size();
}

std::string AsciiFolded(std::string name) {
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

// Whether a stored name (with its folded form) is `name` (with its folded
// form); on 9x, a match that needs the folding of letters beyond ASCII is
// marked undocumented.
bool Matches(const RegistryModel& model, const std::string& stored, const FoldedName& folded,
             const std::string& name, const FoldedName& nameFolded, unsigned* undocumented) {
  if (!(folded == nameFolded)) return false;
  if (model.platform == kPlatform9x && AsciiFolded(stored) != AsciiFolded(name))
    *undocumented |= kUndocumentedFolding;
  return true;
}

// The names of a path, split at its backslash characters (a trail byte of a
// double-byte character splits nothing); empty names between backslashes and
// at the end count as none.
std::vector<std::string> SplitPath(const RegistryModel& model, const char* path,
                                   unsigned* undocumented) {
  const std::string text = path;
  const bool documented = !TestPlatform(model.platform);
  std::vector<std::string> names;
  size_t start = 0;
  for (const CodePageCharacter& c : CodePageCharacters(model.codePage, text)) {
    if (model.platform == kPlatform9x && c.length == 2 && text[c.start + 1] == '\\')
      *undocumented |= kUndocumentedTrailByte;
    if (c.codePoint != kBackslash) continue;
    if (c.start > start)
      names.push_back(text.substr(start, c.start - start));
    else if (documented && c.start > 0)
      *undocumented |= kUndocumentedEmptyName;
    start = c.start + 1;
  }
  if (start < text.size())
    names.push_back(text.substr(start));
  else if (documented && start > 0)
    *undocumented |= kUndocumentedEmptyName;
  return names;
}

void RemoveSubkey(ModelKey* key) {
  auto named = key->parent->subkeysByName.equal_range(key->folded.hash);
  for (auto each = named.first; each != named.second; ++each) {
    if (each->second == key) {
      key->parent->subkeysByName.erase(each);
      break;
    }
  }
  std::vector<std::unique_ptr<ModelKey>>& siblings = key->parent->subkeys;
  siblings.erase(
      std::find_if(siblings.begin(), siblings.end(),
                   [key](const std::unique_ptr<ModelKey>& k) { return k.get() == key; }));
}

// RegDeleteKeyA of the test platform set to 9x: the subkeys go first, always
// the first one in the registry's order (lower-case code points), read into
// a name buffer whose size is not set anew, so each must be shorter than the
// one before; the walk stops there or at a subkey that stays, and the key
// goes only when no subkey is left.
bool DeleteWineNineXKey(ModelKey* key) {
  size_t limit = 260;
  while (!key->subkeys.empty()) {
    ModelKey* first = key->subkeys.front().get();
    for (const std::unique_ptr<ModelKey>& subkey : key->subkeys) {
      if (subkey->folded.characters < first->folded.characters) first = subkey.get();
    }
    if (first->name.size() >= limit) break;
    limit = first->name.size();
    if (!DeleteWineNineXKey(first)) break;
  }
  if (!key->subkeys.empty()) return false;
  RemoveSubkey(key);
  return true;
}

ModelKey* FindSubkey(const RegistryModel& model, const ModelKey* key, const std::string& name,
                     unsigned* undocumented) {
  const FoldedName folded = Folded(model, name);
  auto named = key->subkeysByName.equal_range(folded.hash);
  for (auto each = named.first; each != named.second; ++each) {
    ModelKey* subkey = each->second;
    if (Matches(model, subkey->name, subkey->folded, name, folded, undocumented)) return subkey;
  }
  return nullptr;
}

// The path after the platform's own handling of a leading backslash, or
// nullptr with the fault when the registry refuses it.
const char* PathToWalk(const char* path, bool creating, const RegistryModel& model,
                       PathFault* fault, unsigned* undocumented) {
  if (creating && model.platform == kPlatform9x) {
    // RegCreateKeyExA of 95, 98 and ME ignores every leading backslash.
    while (path[0] == '\\') ++path;
  } else if (creating && model.platform == kPlatformWine9x) {
    if (path[0] == '\\') ++path;  // the test platform passes over one
  }
  if (strlen(path) > kMaxAnsiPathLength) {
    *fault = kRegistryPathTooLong;
    if (!TestPlatform(model.platform)) *undocumented |= kUndocumentedPathLength;
  } else {
    *fault = path[0] == '\\' ? kPathLeadingBackslash : kPathUsable;
  }
  return *fault == kPathUsable ? path : nullptr;
}

KeyReach ReachKey(RegistryModel* model, ModelKey* base, const char* path, bool creating,
                  unsigned line) {
  KeyReach reach = {nullptr, kPathUsable, false, nullptr, 0};
  const char* walked = PathToWalk(path, creating, *model, &reach.fault, &reach.undocumented);
  if (walked == nullptr) return reach;
  const size_t longest = LimitsOf(model->platform).keyName;
  ModelKey* key = base;
  for (const std::string& name : SplitPath(*model, walked, &reach.undocumented)) {
    // The keys before a name that is too long are created and stay.
    if (CharacterCount(*model, name) > longest) {
      reach.fault = kPathNameTooLong;
      return reach;
    }
    ModelKey* next = FindSubkey(*model, key, name, &reach.undocumented);
    if (next == nullptr && !creating) {
      reach.fault = kPathMissing;
      return reach;
    }
    if (next == nullptr) {
      std::unique_ptr<ModelKey> created(new ModelKey);
      created->name = name;
      created->folded = Folded(*model, name);
      created->parent = key;
      created->createdLine = line;
      created->valueBytes = 0;
      next = created.get();
      key->subkeysByName.emplace(next->folded.hash, next);
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

bool NineXFamily(RegistryPlatform platform) {
  return platform == kPlatform9x || platform == kPlatformWine9x;
}

bool TestPlatform(RegistryPlatform platform) {
  return platform == kPlatformWineNt || platform == kPlatformWine9x;
}

const char* PlatformName(RegistryPlatform platform) {
  static const char* const kNames[kPlatformCount] = {"nt", "9x", "winent", "wine9x"};
  return kNames[platform];
}

bool FindPlatform(const char* name, RegistryPlatform* platform) {
  for (int each = 0; each < kPlatformCount; ++each) {
    if (strcmp(name, PlatformName(static_cast<RegistryPlatform>(each))) == 0) {
      *platform = static_cast<RegistryPlatform>(each);
      return true;
    }
  }
  return false;
}

RegistryLimits LimitsOf(RegistryPlatform platform) {
  switch (platform) {
    case kPlatformNt:
      return {255, 260, 1024 * 1024, 0};
    case kPlatform9x:
      return {255, 255, 16300, 65535};
    case kPlatformWineNt:
    case kPlatformWine9x:
    case kPlatformCount:
      break;
  }
  return {256, 16383, 0, 0};
}

void StartRegistryModel(RegistryModel* model, RegistryPlatform platform, unsigned codePage) {
  model->platform = platform;
  model->codePage = OpenCodePage(codePage);
  model->machine.name = kMachineName;
  model->machine.folded = Folded(*model, kMachineName);
  model->machine.parent = nullptr;
  model->machine.createdLine = 0;
  model->machine.values.clear();
  model->machine.subkeys.clear();
  model->machine.deletedValues.clear();
  model->machine.valuePositions.clear();
  model->machine.subkeysByName.clear();
  model->machine.valueBytes = 0;
}

namespace {

void CopyKey(const ModelKey& from, ModelKey* to) {
  to->name = from.name;
  to->folded = from.folded;
  to->createdLine = from.createdLine;
  to->values = from.values;
  to->deletedValues = from.deletedValues;
  to->valuePositions = from.valuePositions;
  to->valueBytes = from.valueBytes;
  to->subkeys.clear();
  to->subkeysByName.clear();
  for (const std::unique_ptr<ModelKey>& subkey : from.subkeys) {
    std::unique_ptr<ModelKey> copy(new ModelKey);
    copy->parent = to;
    CopyKey(*subkey, copy.get());
    to->subkeysByName.emplace(copy->folded.hash, copy.get());
    to->subkeys.push_back(std::move(copy));
  }
}

}  // namespace

void CopyRegistryModel(const RegistryModel& from, RegistryModel* to) {
  to->platform = from.platform;
  to->codePage = OpenCodePage(from.codePage.number);
  to->machine.parent = nullptr;
  CopyKey(from.machine, &to->machine);
}

bool SameRegistryName(const RegistryModel& model, const std::string& a, const std::string& b) {
  return Folded(model, a) == Folded(model, b);
}

KeyReach CreateModelKey(RegistryModel* model, ModelKey* base, const char* path, unsigned line) {
  return ReachKey(model, base, path, true, line);
}

KeyReach OpenModelKey(RegistryModel* model, ModelKey* base, const char* path) {
  return ReachKey(model, base, path, false, 0);
}

const ModelKey* FindModelKey(const RegistryModel& model, const ModelKey* base, const char* path) {
  if (path[0] == '\\') return nullptr;
  unsigned undocumented = 0;
  const ModelKey* key = base;
  for (const std::string& name : SplitPath(model, path, &undocumented)) {
    key = FindSubkey(model, key, name, &undocumented);
    if (key == nullptr) return nullptr;
  }
  return key;
}

ModelValue* FindModelValue(const RegistryModel& model, ModelKey* key, const std::string& name,
                           unsigned* undocumented) {
  const FoldedName folded = Folded(model, name);
  auto named = key->valuePositions.equal_range(folded.hash);
  for (auto each = named.first; each != named.second; ++each) {
    ModelValue& value = key->values[each->second];
    if (Matches(model, value.name, value.folded, name, folded, undocumented)) return &value;
  }
  return nullptr;
}

PathFault SetModelValue(RegistryModel* model, ModelKey* key, const std::string& name,
                        unsigned long type, const std::string& data, unsigned line,
                        ModelValue* before) {
  *before = {name, FoldedName(), 0, std::string(), 0, 0, false};
  const RegistryLimits limits = LimitsOf(model->platform);
  if (CharacterCount(*model, name) > limits.valueName) return kValueNameRefused;
  if (limits.valueData > 0 && data.size() > limits.valueData) return kValueDataRefused;
  unsigned undocumented = 0;
  ModelValue* existing = FindModelValue(*model, key, name, &undocumented);
  if (existing == nullptr) {
    key->values.push_back({name, Folded(*model, name), type, data, line, line, false});
    key->valuePositions.emplace(key->values.back().folded.hash, key->values.size() - 1);
    key->valueBytes += name.size() + data.size();
    return kPathUsable;
  }
  *before = *existing;
  key->valueBytes += data.size() - existing->data.size();
  existing->type = type;
  existing->data = data;
  existing->lastLine = line;
  existing->onlyWhenAbsent = false;
  return kPathUsable;
}

bool DeleteModelValue(const RegistryModel& model, ModelKey* key, const std::string& name) {
  key->deletedValues.push_back(name);
  unsigned undocumented = 0;
  const ModelValue* value = FindModelValue(model, key, name, &undocumented);
  if (value == nullptr) return false;
  key->valueBytes -= value->name.size() + value->data.size();
  key->values.erase(key->values.begin() + (value - key->values.data()));
  // The values after it moved up by one.
  key->valuePositions.clear();
  for (size_t i = 0; i < key->values.size(); ++i)
    key->valuePositions.emplace(key->values[i].folded.hash, i);
  return true;
}

bool DeleteModelKey(RegistryModel* model, ModelKey* base, const char* path) {
  const KeyReach reach = OpenModelKey(model, base, path);
  ModelKey* key = reach.key;
  if (key == nullptr || key == base) return false;
  switch (model->platform) {
    case kPlatform9x:
      break;  // the whole tree goes
    case kPlatformWine9x:
      return DeleteWineNineXKey(key);
    case kPlatformNt:
    case kPlatformWineNt:
    case kPlatformCount:
      if (!key->subkeys.empty()) return false;
      break;
  }
  RemoveSubkey(key);
  return true;
}

void DeleteModelSubkeys(ModelKey* key) {
  key->subkeys.clear();
  key->subkeysByName.clear();
}

size_t KeyValuesSize(const ModelKey& key) { return key.valueBytes; }

std::string FullKeyName(const ModelKey* key) {
  if (key->parent == nullptr) return key->name;
  return FullKeyName(key->parent) + "\\" + key->name;
}
