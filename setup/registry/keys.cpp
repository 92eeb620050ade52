#include "keys.h"

#include "../base/log.h"
#include "../base/paths_rules.h"

namespace {

const DWORD kWalkNameSize = 128;
const DWORD kWalkValueSize = 256;

void ShowWalkCheckpoint(const KeyWalk& walk, const char* text, const char* caption) {
  if (walk.Checkpoints) DebugMessage(nullptr, text, caption, 0);
}

// Whether the open subkey matches the walk's rule.
bool Matches(const KeyWalk& walk, HKEY subkey) {
  if (!walk.ValueName) return true;
  char value[kWalkValueSize + 1];
  return ReadValueText(subkey, walk.ValueName, value, kWalkValueSize) &&
         MatchesNameRule(walk.Rule, value);
}

// Deletes the tree at path; true when the key at path is gone.
bool DeleteTree(const char* path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    // Subkeys that survive stay at the front of the enumeration; index
    // counts them, so that every step either deletes a key or moves on.
    for (DWORD index = 0;;) {
      char name[256];
      DWORD nameSize = sizeof name;
      if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      char child[kSetupPathSize];
      if (!JoinPath(child, path, name) || !DeleteTree(child)) ++index;
    }
    RegCloseKey(key);
  }
  return DeleteRegistryKey(path);
}

}  // namespace

bool ReadValueText(HKEY key, const char* name, char* out, DWORD capacity) {
  DWORD size = capacity;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(out), &size) !=
      ERROR_SUCCESS)
    return false;
  out[size <= capacity ? size : capacity] = '\0';
  return true;
}

void DeleteRegistryValue(const char* path, const char* name) {
  HKEY key;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key);
  if (status == ERROR_SUCCESS) {
    status = RegDeleteValueA(key, name);
    RegCloseKey(key);
  }
  LogValueDeleted(path, name, status);
}

bool DeleteRegistryKey(const char* path) {
  return LogKeyDeleted(path, RegDeleteKeyA(HKEY_LOCAL_MACHINE, path)) == ERROR_SUCCESS;
}

void DeleteKeyTree(const char* path) {
  if (lstrlenA(path) < static_cast<int>(kSetupPathSize)) DeleteTree(path);
}

bool WalkSubkeys(const KeyWalk& walk) {
  HKEY root;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, walk.Root, 0, walk.Access, &root) != ERROR_SUCCESS)
    return false;
  ShowWalkCheckpoint(walk, "xy", "PCIKeys passes");
  for (DWORD index = 0;; ++index) {
    char name[kWalkNameSize];
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(root, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    ShowWalkCheckpoint(walk, "xy", "EnumKeys passes");
    ShowWalkCheckpoint(walk, name, "PCIKeys passes");
    char path[kSetupPathSize];
    HKEY subkey;
    if (!JoinPath(path, walk.Root, name) ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, walk.Access, &subkey) != ERROR_SUCCESS)
      continue;
    ShowWalkCheckpoint(walk, "xy", "openkey keyname passes");
    const bool match = Matches(walk, subkey);
    RegCloseKey(subkey);
    if (!match) continue;
    if (walk.Action == kAnswerFound) {
      RegCloseKey(root);
      return true;
    }
    ShowWalkCheckpoint(walk, "xy", "deleted");
    const bool deleted = DeleteRegistryKey(path);
    if (walk.Action == kDeleteWithRootAndEnd) {
      RegCloseKey(root);
      DeleteRegistryKey(walk.Root);
      return false;
    }
    // Step back only over a subkey that is gone; one that the system refuses
    // to delete stays in place and the walk moves past it.
    if (deleted) --index;
  }
  RegCloseKey(root);
  return false;
}
