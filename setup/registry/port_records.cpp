#include "port_records.h"

#include <string.h>

#include "../base/log.h"
#include "../base/paths_rules.h"
#include "keys.h"

namespace {

const char kServiceKey[] = "System\\CurrentControlSet\\Services\\TAVELINSoftModem";
const char kModemClassKey[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
const char kSerialMapKey[] = "Hardware\\devicemap\\serialcomm";

const unsigned long kInstanceNameSize = 64;
const unsigned long kModelSize = 256;
const unsigned long kDisplayNameSize = 640;

enum InstanceOutcome {
  kInstanceOpened,
  kInstanceSkipped,
  kNoMoreInstances  // no more names, or a name too long for its buffer
};

// Opens the instance subkey at index with full access; its path goes to
// path (kSetupPathSize bytes).
InstanceOutcome OpenInstance(System& system, KeyHandle classKey, unsigned long index,
                             KeyHandle* instance, char* path) {
  char name[kInstanceNameSize];
  unsigned long nameSize = sizeof name;
  if (system.EnumKey(classKey, index, name, &nameSize) != kStatusSuccess) return kNoMoreInstances;
  if (!JoinPath(path, kModemClassKey, name)) return kInstanceSkipped;
  return system.OpenKey(path, kKeyAllAccess, instance) == kStatusSuccess ? kInstanceOpened
                                                                         : kInstanceSkipped;
}

}  // namespace

namespace {

// A missing class key is reported only where an earlier installation is
// looked for.
bool FindModemInstance(Host& host, bool reportMissingClass) {
  System& system = *host.system;
  KeyHandle classKey;
  if (system.OpenKey(kModemClassKey, kKeyRead, &classKey) != kStatusSuccess) {
    if (reportMissingClass) DebugMessage(host, "FindOldPort failed", "Error: 1");
    return false;
  }
  bool found = false;
  for (unsigned long index = 0; !found; ++index) {
    KeyHandle instance;
    char path[kSetupPathSize];
    const InstanceOutcome opened = OpenInstance(system, classKey, index, &instance, path);
    if (opened == kNoMoreInstances) break;
    if (opened == kInstanceSkipped) continue;
    char model[kModelSize + 1];
    found = ReadValueText(system, instance, "Model", model, kModelSize) &&
            MatchesNameRule(kContainsEitherName, model);
    system.CloseKey(instance);
  }
  system.CloseKey(classKey);
  return found;
}

}  // namespace

bool FindOurModemInstance(Host& host) { return FindModemInstance(host, false); }

bool FindOldPort(Host& host) {
  System& system = *host.system;
  KeyHandle service;
  if (system.OpenKey(kServiceKey, kKeyRead, &service) != kStatusSuccess) return false;
  char displayName[kDisplayNameSize + 1];
  const bool installed =
      ReadValueText(system, service, "displayname", displayName, kDisplayNameSize);
  system.CloseKey(service);
  return installed && FindModemInstance(host, true);
}

bool ChooseFreeComPort(Host& host, char* portName) {
  System& system = *host.system;
  KeyHandle map;
  if (system.OpenKey(kSerialMapKey, kKeyAllAccess, &map) != kStatusSuccess) {
    CopyWholeText(portName, kPortNameSize, "COM2");
    return true;
  }
  PortNumberTable table;
  ClearPortNumbers(&table);
  for (unsigned long index = 0;; ++index) {
    char name[64];
    char data[64 + 1];
    unsigned long nameSize = sizeof name, dataSize = 64;
    if (system.EnumValue(map, index, name, &nameSize, reinterpret_cast<unsigned char*>(data),
                         &dataSize) != kStatusSuccess)
      break;
    data[dataSize] = '\0';
    MarkPortFromMapEntry(&table, data);
  }
  system.CloseKey(map);
  const int number = LowestFreePort(&table);
  if (number == 0) return false;
  FormPortName(portName, number);
  return true;
}

bool AddOldAttachedtoKey(Host& host, const char* portName) {
  System& system = *host.system;
  KeyHandle classKey;
  if (system.OpenKey(kModemClassKey, kKeyRead, &classKey) != kStatusSuccess) {
    DebugMessage(host, "AddOldAttachedtoKey failed", "Error: 1");
    return false;
  }
  KeyHandle ours = nullptr;
  char path[kSetupPathSize];  // of the instance last opened: ours when found
  for (unsigned long index = 0; !ours; ++index) {
    KeyHandle instance;
    const InstanceOutcome opened = OpenInstance(system, classKey, index, &instance, path);
    if (opened == kNoMoreInstances) break;
    if (opened == kInstanceSkipped) continue;
    char driverDesc[kModelSize + 1];
    if (ReadValueText(system, instance, "DriverDesc", driverDesc, kModelSize) &&
        MatchesNameRule(kEqualsOurName, driverDesc))
      ours = instance;
    else
      system.CloseKey(instance);
  }
  if (!ours) {
    DebugMessage(host, "AddOldAttachedtoKey failed", "Error: 2");
    system.CloseKey(classKey);
    return false;
  }
  const unsigned long size = static_cast<unsigned long>(strlen(portName) + 1);
  const SystemStatus written = system.SetValue(ours, "AttachedTo", kRegistryString,
                                               reinterpret_cast<const unsigned char*>(portName),
                                               size);
  TellListeners(host, ValueEvent(kEventValueSet, path, "AttachedTo", kRegistryString, portName,
                                 size, written));
  system.CloseKey(ours);
  system.CloseKey(classKey);
  if (written != kStatusSuccess) {
    DebugMessage(host, "AddOldAttachedtoKey failed", "Error: 3");
    return false;
  }
  return true;
}
