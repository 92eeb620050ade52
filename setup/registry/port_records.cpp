#include "port_records.h"

#include <windows.h>

#include "../control/install_log.h"
#include "../control/options.h"
#include "../files/path_text.h"
#include "modem_names.h"
#include "registry_text.h"

char PortName[PortNameSize];

static const char ServiceKey[] = "System\\CurrentControlSet\\Services\\TAVELINSoftModem";
static const char ModemClassKey[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
static const char SerialMapKey[] = "Hardware\\devicemap\\serialcomm";

const DWORD InstanceNameSize = 64;
const DWORD ModelSize = 256;
const DWORD DisplayNameSize = 640;

// Opens the instance subkey at index with full access; its path goes to
// path (SetupPathSize bytes). 0: opened; 1: the subkey is skipped; -1: the
// enumeration has ended (no more names, or a name too long for its buffer).
static int OpenInstance(HKEY classKey, DWORD index, HKEY* instance, char* path) {
  char name[InstanceNameSize];
  DWORD nameSize = sizeof name;
  if (RegEnumKeyExA(classKey, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
      ERROR_SUCCESS)
    return -1;
  if (!JoinPath(path, ModemClassKey, name)) return 1;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, instance) == ERROR_SUCCESS ? 0
                                                                                               : 1;
}

int FindOldPort() {
  HKEY service;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ServiceKey, 0, KEY_READ, &service) != ERROR_SUCCESS)
    return 0;
  char displayName[DisplayNameSize + 1];
  const bool installed = ReadValueText(service, "displayname", displayName, DisplayNameSize);
  RegCloseKey(service);
  if (!installed) return 0;

  HKEY classKey;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ModemClassKey, 0, KEY_READ, &classKey) != ERROR_SUCCESS) {
    DebugMessage(nullptr, "FindOldPort failed", "Error: 1", 0);
    return 0;
  }
  int found = 0;
  for (DWORD index = 0; !found; ++index) {
    HKEY instance;
    char path[SetupPathSize];
    const int opened = OpenInstance(classKey, index, &instance, path);
    if (opened < 0) break;
    if (opened > 0) continue;
    char model[ModelSize + 1];
    found = ReadValueText(instance, "Model", model, ModelSize) &&
            MatchesNameRule(ContainsEitherName, model);
    RegCloseKey(instance);
  }
  RegCloseKey(classKey);
  return found;
}

int ChooseFreeComPort() {
  HKEY map;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SerialMapKey, 0, KEY_ALL_ACCESS, &map) != ERROR_SUCCESS) {
    lstrcpyA(PortName, "COM2");
    return 1;
  }
  PortNumberTable table;
  ClearPortNumbers(&table);
  for (DWORD index = 0;; ++index) {
    char name[64];
    char data[64 + 1];
    DWORD nameSize = sizeof name, dataSize = 64;
    if (RegEnumValueA(map, index, name, &nameSize, nullptr, nullptr,
                      reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS)
      break;
    data[dataSize] = '\0';
    MarkPortFromMapEntry(&table, data);
  }
  RegCloseKey(map);
  const int number = LowestFreePort(&table);
  if (number == 0) return 0;
  FormPortName(PortName, number);
  return 1;
}

int AddOldAttachedtoKey() {
  HKEY classKey;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ModemClassKey, 0, KEY_READ, &classKey) != ERROR_SUCCESS) {
    DebugMessage(nullptr, "AddOldAttachedtoKey failed", "Error: 1", 0);
    return 0;
  }
  HKEY ours = nullptr;
  char path[SetupPathSize];  // of the instance last opened: ours when found
  for (DWORD index = 0; !ours; ++index) {
    HKEY instance;
    const int opened = OpenInstance(classKey, index, &instance, path);
    if (opened < 0) break;
    if (opened > 0) continue;
    char driverDesc[ModelSize + 1];
    if (ReadValueText(instance, "DriverDesc", driverDesc, ModelSize) &&
        MatchesNameRule(EqualsOurName, driverDesc))
      ours = instance;
    else
      RegCloseKey(instance);
  }
  if (!ours) {
    DebugMessage(nullptr, "AddOldAttachedtoKey failed", "Error: 2", 0);
    RegCloseKey(classKey);
    return 0;
  }
  const LONG written = RegSetValueExA(ours, "AttachedTo", 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(PortName),
                                      lstrlenA(PortName) + 1);
  LogTextValueSet(path, "AttachedTo", PortName, written);
  RegCloseKey(ours);
  RegCloseKey(classKey);
  if (written != ERROR_SUCCESS) {
    DebugMessage(nullptr, "AddOldAttachedtoKey failed", "Error: 3", 0);
    return 0;
  }
  return 1;
}
