#include "modem_records.h"

#include <windows.h>
#include <string.h>

#include "standin_text.h"

namespace {

// Deepest key level that DeleteKeyTree descends to.
const int MaxTreeDepth = 16;

const DWORD KeyPathSize = 512;

const DWORD ValueSize = 256;

}  // namespace

bool RunsOnWindows9x() { return (GetVersion() & 0x80000000) != 0; }

const char* RunningModemClass() { return RunsOnWindows9x() ? Win9xModemClass : NTModemClass; }

namespace {

int ChildPath(char* out, const char* parent, const char* name) {
  out[0] = '\0';
  if (strlen(parent) + 1 + strlen(name) >= KeyPathSize) return 0;
  AppendCut(out, KeyPathSize, parent);
  AppendCut(out, KeyPathSize, "\\");
  AppendCut(out, KeyPathSize, name);
  return 1;
}

// Deletes a key below HKEY_LOCAL_MACHINE with everything under it; a
// subkey that can not be deleted is passed over. 1 when the key is gone.
int DeleteKeyTree(const char* path, int depth) {
  HKEY key;
  if (depth < MaxTreeDepth &&
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    char name[MAX_PATH];
    char child[KeyPathSize];
    DWORD index = 0;
    while (RegEnumKeyA(key, index, name, sizeof name) == ERROR_SUCCESS) {
      if (!ChildPath(child, path, name) || !DeleteKeyTree(child, depth + 1)) ++index;
    }
    RegCloseKey(key);
  }
  return RegDeleteKeyA(HKEY_LOCAL_MACHINE, path) == ERROR_SUCCESS;
}

bool ReadText(HKEY key, const char* name, char* out) {
  DWORD size = ValueSize - 1, type = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(out), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return false;
  out[size] = '\0';
  return true;
}

bool IsOurInstance(const char* path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  char value[ValueSize];
  const bool ours = (ReadText(key, "Model", value) && CarriesModemName(value)) ||
                    (ReadText(key, "DriverDesc", value) && CarriesModemName(value));
  RegCloseKey(key);
  return ours;
}

}  // namespace

int RemoveModemInstances(const char* classPath) {
  HKEY classKey;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, classPath, 0, KEY_READ, &classKey) != ERROR_SUCCESS)
    return 0;
  int removed = 0;
  char name[MAX_PATH];
  char path[KeyPathSize];
  DWORD index = 0;
  while (RegEnumKeyA(classKey, index, name, sizeof name) == ERROR_SUCCESS) {
    if (ChildPath(path, classPath, name) && IsOurInstance(path) && DeleteKeyTree(path, 0))
      ++removed;  // the next instance moved into this index
    else
      ++index;
  }
  RegCloseKey(classKey);
  return removed;
}

namespace {

void WriteText(HKEY key, const char* name, const char* text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(strlen(text) + 1));
}

}  // namespace

int AddModemInstance(const char* classPath, const char* description, char* instance) {
  char path[KeyPathSize];
  for (int n = 0; InstanceName(instance, 5, n); ++n) {
    if (!ChildPath(path, classPath, instance)) return 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
      RegCloseKey(key);
      continue;
    }
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS)
      return 0;
    WriteText(key, "DriverDesc", description);
    WriteText(key, "Model", description);
    RegCloseKey(key);
    return 1;
  }
  return 0;
}
