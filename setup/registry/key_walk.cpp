#include "key_walk.h"

#include "../control/install_log.h"
#include "../control/options.h"
#include "../files/path_text.h"
#include "registry_text.h"

const DWORD WalkNameSize = 128;
const DWORD WalkValueSize = 256;

static void Checkpoint(const KeyWalk& walk, const char* text, const char* caption) {
  if (walk.Checkpoints) DebugMessage(nullptr, text, caption, 0);
}

// Whether the open subkey matches the walk's rule.
static bool Matches(const KeyWalk& walk, HKEY subkey) {
  if (!walk.ValueName) return true;
  char value[WalkValueSize + 1];
  return ReadValueText(subkey, walk.ValueName, value, WalkValueSize) &&
         MatchesNameRule(walk.Rule, value);
}

int WalkSubkeys(const KeyWalk& walk) {
  HKEY root;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, walk.Root, 0, walk.Access, &root) != ERROR_SUCCESS)
    return 0;
  Checkpoint(walk, "xy", "PCIKeys passes");
  for (DWORD index = 0;; ++index) {
    char name[WalkNameSize];
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(root, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    Checkpoint(walk, "xy", "EnumKeys passes");
    Checkpoint(walk, name, "PCIKeys passes");
    char path[SetupPathSize];
    HKEY subkey;
    if (!JoinPath(path, walk.Root, name) ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, walk.Access, &subkey) != ERROR_SUCCESS)
      continue;
    Checkpoint(walk, "xy", "openkey keyname passes");
    const bool match = Matches(walk, subkey);
    RegCloseKey(subkey);
    if (!match) continue;
    if (walk.Action == AnswerFound) {
      RegCloseKey(root);
      return 1;
    }
    Checkpoint(walk, "xy", "deleted");
    const bool deleted =
        LogKeyDeleted(path, RegDeleteKeyA(HKEY_LOCAL_MACHINE, path)) == ERROR_SUCCESS;
    if (walk.Action == DeleteWithRootAndEnd) {
      RegCloseKey(root);
      LogKeyDeleted(walk.Root, RegDeleteKeyA(HKEY_LOCAL_MACHINE, walk.Root));
      return 0;
    }
    // Step back only over a subkey that is gone; one that the system refuses
    // to delete stays in place and the walk moves past it.
    if (deleted) --index;
  }
  RegCloseKey(root);
  return 0;
}
