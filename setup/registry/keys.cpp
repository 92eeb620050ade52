#include "keys.h"

#include "../base/log.h"
#include "../base/paths_rules.h"

#include <string.h>

namespace {

const unsigned long kWalkNameSize = 128;
const unsigned long kWalkValueSize = 256;

void ShowWalkCheckpoint(Host& host, const KeyWalk& walk, const char* text, const char* caption) {
  if (walk.Checkpoints) DebugMessage(host, text, caption);
}

// Whether the open subkey matches the walk's rule.
bool Matches(System& system, const KeyWalk& walk, KeyHandle subkey) {
  if (!walk.ValueName) return true;
  char value[kWalkValueSize + 1];
  return ReadValueText(system, subkey, walk.ValueName, value, kWalkValueSize) &&
         MatchesNameRule(walk.Rule, value);
}

// Deletes the tree at path; true when the key at path is gone.
bool DeleteTree(Host& host, const char* path) {
  System& system = *host.system;
  KeyHandle key;
  if (system.OpenKey(path, kKeyRead, &key) == kStatusSuccess) {
    // Subkeys that survive stay at the front of the enumeration; index
    // counts them, so that every step either deletes a key or moves on.
    for (unsigned long index = 0;;) {
      char name[256];
      unsigned long nameSize = sizeof name;
      if (system.EnumKey(key, index, name, &nameSize) != kStatusSuccess) break;
      char child[kSetupPathSize];
      if (!JoinPath(child, path, name) || !DeleteTree(host, child)) ++index;
    }
    system.CloseKey(key);
  }
  return DeleteRegistryKey(host, path);
}

}  // namespace

bool ReadValueText(System& system, KeyHandle key, const char* name, char* out,
                   unsigned long capacity) {
  unsigned long size = capacity;
  if (system.QueryValue(key, name, nullptr, reinterpret_cast<unsigned char*>(out), &size) !=
      kStatusSuccess)
    return false;
  out[size <= capacity ? size : capacity] = '\0';
  return true;
}

void DeleteRegistryValue(Host& host, const char* path, const char* name) {
  KeyHandle key;
  const SystemStatus opened = host.system->OpenKey(path, kKeyAllAccess, &key);
  RunEvent deleted = ValueEvent(kEventValueDeleted, path, name, 0, nullptr, 0, opened);
  deleted.skipped = opened != kStatusSuccess;
  if (!deleted.skipped) {
    deleted.status = host.system->DeleteValue(key, name);
    host.system->CloseKey(key);
  }
  TellListeners(host, deleted);
}

bool DeleteRegistryKey(Host& host, const char* path) {
  return TellOutcome(host, kEventKeyDeleted, path, nullptr, host.system->DeleteKey(path)) ==
         kStatusSuccess;
}

void DeleteKeyTree(Host& host, const char* path) {
  if (strlen(path) < kSetupPathSize) DeleteTree(host, path);
}

bool WalkSubkeys(Host& host, const KeyWalk& walk) {
  System& system = *host.system;
  KeyHandle root;
  if (system.OpenKey(walk.Root, walk.Access, &root) != kStatusSuccess) return false;
  ShowWalkCheckpoint(host, walk, "xy", "PCIKeys passes");
  for (unsigned long index = 0;; ++index) {
    char name[kWalkNameSize];
    unsigned long nameSize = sizeof name;
    if (system.EnumKey(root, index, name, &nameSize) != kStatusSuccess) break;
    ShowWalkCheckpoint(host, walk, "xy", "EnumKeys passes");
    ShowWalkCheckpoint(host, walk, name, "PCIKeys passes");
    char path[kSetupPathSize];
    KeyHandle subkey;
    if (!JoinPath(path, walk.Root, name) ||
        system.OpenKey(path, walk.Access, &subkey) != kStatusSuccess)
      continue;
    ShowWalkCheckpoint(host, walk, "xy", "openkey keyname passes");
    const bool match = Matches(system, walk, subkey);
    system.CloseKey(subkey);
    if (!match) continue;
    if (walk.Action == kAnswerFound) {
      system.CloseKey(root);
      return true;
    }
    ShowWalkCheckpoint(host, walk, "xy", "deleted");
    const bool deleted = DeleteRegistryKey(host, path);
    if (walk.Action == kDeleteWithRootAndEnd) {
      system.CloseKey(root);
      DeleteRegistryKey(host, walk.Root);
      return false;
    }
    // Step back only over a subkey that is gone; one that the system refuses
    // to delete stays in place and the walk moves past it.
    if (deleted) --index;
  }
  system.CloseKey(root);
  return false;
}
