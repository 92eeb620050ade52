#include "port_records.h"

#include <windows.h>

#include "../base/log.h"
#include "../base/paths_rules.h"
#include "keys.h"

namespace {

const char kServiceKey[] = "System\\CurrentControlSet\\Services\\TAVELINSoftModem";
const char kModemClassKey[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
const char kSerialMapKey[] = "Hardware\\devicemap\\serialcomm";

const DWORD kInstanceNameSize = 64;
const DWORD kModelSize = 256;
const DWORD kDisplayNameSize = 640;

enum InstanceOutcome {
  kInstanceOpened,
  kInstanceSkipped,
  kNoMoreInstances  // no more names, or a name too long for its buffer
};

// Opens the instance subkey at index with full access; its path goes to
// path (kSetupPathSize bytes).
InstanceOutcome OpenInstance(HKEY classKey, DWORD index, HKEY* instance, char* path) {
  char name[kInstanceNameSize];
  DWORD nameSize = sizeof name;
  if (RegEnumKeyExA(classKey, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
      ERROR_SUCCESS)
    return kNoMoreInstances;
  if (!JoinPath(path, kModemClassKey, name)) return kInstanceSkipped;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, instance) == ERROR_SUCCESS
             ? kInstanceOpened
             : kInstanceSkipped;
}

}  // namespace

namespace {

// A missing class key is reported only where an earlier installation is
// looked for.
bool FindModemInstance(bool reportMissingClass) {
  HKEY classKey;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kModemClassKey, 0, KEY_READ, &classKey) != ERROR_SUCCESS) {
    if (reportMissingClass) DebugMessage(nullptr, "FindOldPort failed", "Error: 1", 0);
    return false;
  }
  bool found = false;
  for (DWORD index = 0; !found; ++index) {
    HKEY instance;
    char path[kSetupPathSize];
    const InstanceOutcome opened = OpenInstance(classKey, index, &instance, path);
    if (opened == kNoMoreInstances) break;
    if (opened == kInstanceSkipped) continue;
    char model[kModelSize + 1];
    found = ReadValueText(instance, "Model", model, kModelSize) &&
            MatchesNameRule(kContainsEitherName, model);
    RegCloseKey(instance);
  }
  RegCloseKey(classKey);
  return found;
}

}  // namespace

bool FindOurModemInstance() { return FindModemInstance(false); }

bool FindOldPort() {
  HKEY service;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, KEY_READ, &service) != ERROR_SUCCESS)
    return false;
  char displayName[kDisplayNameSize + 1];
  const bool installed = ReadValueText(service, "displayname", displayName, kDisplayNameSize);
  RegCloseKey(service);
  return installed && FindModemInstance(true);
}

bool ChooseFreeComPort(char* portName) {
  HKEY map;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSerialMapKey, 0, KEY_ALL_ACCESS, &map) != ERROR_SUCCESS) {
    CopyWholeText(portName, kPortNameSize, "COM2");
    return true;
  }
  PortNumberTable table;
  ClearPortNumbers(&table);
  for (DWORD index = 0;; ++index) {
    char name[64];
    char data[64 + 1];
    DWORD nameSize = sizeof name, dataSize = 64;
    if (RegEnumValueA(map, index, name, &nameSize, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                      &dataSize) != ERROR_SUCCESS)
      break;
    data[dataSize] = '\0';
    MarkPortFromMapEntry(&table, data);
  }
  RegCloseKey(map);
  const int number = LowestFreePort(&table);
  if (number == 0) return false;
  FormPortName(portName, number);
  return true;
}

bool AddOldAttachedtoKey(const char* portName) {
  HKEY classKey;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kModemClassKey, 0, KEY_READ, &classKey) != ERROR_SUCCESS) {
    DebugMessage(nullptr, "AddOldAttachedtoKey failed", "Error: 1", 0);
    return false;
  }
  HKEY ours = nullptr;
  char path[kSetupPathSize];  // of the instance last opened: ours when found
  for (DWORD index = 0; !ours; ++index) {
    HKEY instance;
    const InstanceOutcome opened = OpenInstance(classKey, index, &instance, path);
    if (opened == kNoMoreInstances) break;
    if (opened == kInstanceSkipped) continue;
    char driverDesc[kModelSize + 1];
    if (ReadValueText(instance, "DriverDesc", driverDesc, kModelSize) &&
        MatchesNameRule(kEqualsOurName, driverDesc))
      ours = instance;
    else
      RegCloseKey(instance);
  }
  if (!ours) {
    DebugMessage(nullptr, "AddOldAttachedtoKey failed", "Error: 2", 0);
    RegCloseKey(classKey);
    return false;
  }
  const LONG written = RegSetValueExA(ours, "AttachedTo", 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(portName),
                                      lstrlenA(portName) + 1);
  LogTextValueSet(path, "AttachedTo", portName, written);
  RegCloseKey(ours);
  RegCloseKey(classKey);
  if (written != ERROR_SUCCESS) {
    DebugMessage(nullptr, "AddOldAttachedtoKey failed", "Error: 3", 0);
    return false;
  }
  return true;
}
