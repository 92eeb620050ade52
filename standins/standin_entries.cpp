#include "standin_entries.h"

#include <string.h>

#include "standin_text.h"

namespace {

// The capacities that setup hands over, and the stand-ins' own.
const size_t InfNameSize = 256;
const size_t HardwareIdSize = 528;
const size_t ArgumentSize = 528;  // a narrowed wide argument
const size_t KeyPathSize = 512;
const size_t ValueSize = 256;
const size_t PathSize = 260;
const size_t DeviceLineSize = 256;
const size_t HelperLineSize = 128;

// Deepest key level that DeleteKeyTree descends to.
const int MaxTreeDepth = 16;

// The Windows NT service stops by itself after this long unless configured.
const int DefaultServiceLife = 400000;

const char* const SetupKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";

unsigned long NotBelowZero(int number) {
  return number > 0 ? static_cast<unsigned long>(number) : 0;
}

EntryConfig BeginEntry(StandinWorld& world, const char* entry) {
  const EntryConfig config = ReadEntryConfig(world, entry);
  world.Pass(config.Delay);
  return config;
}

int ChildPath(char* out, const char* parent, const char* name) {
  out[0] = '\0';
  if (strlen(parent) + 1 + strlen(name) >= KeyPathSize) return 0;
  AppendCut(out, KeyPathSize, parent);
  AppendCut(out, KeyPathSize, "\\");
  AppendCut(out, KeyPathSize, name);
  return 1;
}

// The index-th subkey's name of key (PathSize bytes); false at the end or
// for a name that does not fit.
bool SubkeyName(RegistryCalls& registry, KeyHandle key, unsigned long index, char* name) {
  unsigned long size = PathSize;
  return registry.EnumKey(key, index, name, &size) == kStatusSuccess;
}

// Deletes a key below HKEY_LOCAL_MACHINE with everything under it; a
// subkey that can not be deleted is passed over. 1 when the key is gone.
int DeleteKeyTree(RegistryCalls& registry, const char* path, int depth) {
  KeyHandle key;
  if (depth < MaxTreeDepth && registry.OpenKey(path, kKeyAllAccess, &key) == kStatusSuccess) {
    char name[PathSize];
    char child[KeyPathSize];
    unsigned long index = 0;
    while (SubkeyName(registry, key, index, name)) {
      if (!ChildPath(child, path, name) || !DeleteKeyTree(registry, child, depth + 1)) ++index;
    }
    registry.CloseKey(key);
  }
  return registry.DeleteKey(path) == kStatusSuccess;
}

// A REG_SZ value of at most ValueSize - 1 bytes into out (ValueSize bytes).
bool ReadText(RegistryCalls& registry, KeyHandle key, const char* name, char* out) {
  unsigned long size = ValueSize - 1, type = 0;
  if (registry.QueryValue(key, name, &type, reinterpret_cast<unsigned char*>(out), &size) !=
          kStatusSuccess ||
      type != kRegistryString)
    return false;
  out[size] = '\0';
  return true;
}

bool IsOurInstance(RegistryCalls& registry, const char* path) {
  KeyHandle key;
  if (registry.OpenKey(path, kKeyRead, &key) != kStatusSuccess) return false;
  char value[ValueSize];
  const bool ours = (ReadText(registry, key, "Model", value) && CarriesModemName(value)) ||
                    (ReadText(registry, key, "DriverDesc", value) && CarriesModemName(value));
  registry.CloseKey(key);
  return ours;
}

void WriteText(RegistryCalls& registry, KeyHandle key, const char* name, const char* text) {
  registry.SetValue(key, name, kRegistryString, reinterpret_cast<const unsigned char*>(text),
                    static_cast<unsigned long>(strlen(text) + 1));
}

const char* RunningModemClass(StandinWorld& world) {
  return world.OnWindows9x() ? Win9xModemClass : NTModemClass;
}

void AddWideArgument(char* line, size_t lineSize, const wchar_t* text) {
  char narrow[ArgumentSize];
  NarrowText(narrow, sizeof narrow, text);
  AddTextArgument(line, lineSize, narrow);
}

}  // namespace

EntryConfig ReadEntryConfig(StandinWorld& world, const char* section) {
  EntryConfig config;
  config.Result = world.ConfigNumber(section, "Result", 1);
  config.Delay = NotBelowZero(world.ConfigNumber(section, "Delay", 0));
  config.Effect = world.ConfigNumber(section, "Effect", 1) != 0;
  return config;
}

void AppendCallLog(StandinWorld& world, const char* text) {
  char path[PathSize];
  world.ConfigText("CallLog", "Path", "", path, sizeof path);
  if (!path[0]) return;
  char line[kCallLineSize] = "";
  AppendCut(line, sizeof line, text);
  // The caller's error mode says whether the system would stop it with a
  // box of its own (no disk in the drive, a damaged file).
  if (world.ConfigNumber("CallLog", "ErrorMode", 0))
    AddNumberNote(line, sizeof line, "ErrorMode", static_cast<long>(world.ErrorMode()));
  world.AppendLine(path, line);
}

void AddSourcePathNote(StandinWorld& world, char* line, size_t lineSize) {
  RegistryCalls& registry = world.Registry();
  char value[PathSize];
  bool found = false;
  KeyHandle key;
  if (registry.OpenKey(SetupKey, kKeyRead, &key) == kStatusSuccess) {
    unsigned long size = sizeof value - 1, type = 0;
    found = registry.QueryValue(key, "SourcePath", &type, reinterpret_cast<unsigned char*>(value),
                                &size) == kStatusSuccess &&
            (type == kRegistryString || type == kRegistryExpandString);
    if (found) value[size] = '\0';
    registry.CloseKey(key);
  }
  AddNote(line, lineSize, "SourcePath", found ? value : "none", found);
}

int RemoveModemInstances(RegistryCalls& registry, const char* classPath) {
  KeyHandle classKey;
  if (registry.OpenKey(classPath, kKeyRead, &classKey) != kStatusSuccess) return 0;
  int removed = 0;
  char name[PathSize];
  char path[KeyPathSize];
  unsigned long index = 0;
  while (SubkeyName(registry, classKey, index, name)) {
    if (ChildPath(path, classPath, name) && IsOurInstance(registry, path) &&
        DeleteKeyTree(registry, path, 0))
      ++removed;  // the next instance moved into this index
    else
      ++index;
  }
  registry.CloseKey(classKey);
  return removed;
}

int AddModemInstance(RegistryCalls& registry, const char* classPath, const char* description,
                     char* instance) {
  char path[KeyPathSize];
  for (int n = 0; InstanceName(instance, 5, n); ++n) {
    if (!ChildPath(path, classPath, instance)) return 0;
    KeyHandle key;
    if (registry.OpenKey(path, kKeyRead, &key) == kStatusSuccess) {
      registry.CloseKey(key);
      continue;
    }
    if (registry.CreateKey(path, &key) != kStatusSuccess) return 0;
    WriteText(registry, key, "DriverDesc", description);
    WriteText(registry, key, "Model", description);
    registry.CloseKey(key);
    return 1;
  }
  return 0;
}

int StandinReportOnly(StandinWorld& world, const char* entry) {
  const EntryConfig config = BeginEntry(world, entry);
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, entry);
  EndCallLine(line, sizeof line, config.Result);
  AppendCallLog(world, line);
  return config.Result;
}

int StandinRemoveModem(StandinWorld& world) {
  const EntryConfig config = BeginEntry(world, "RemoveModem");
  const int removed =
      config.Effect ? RemoveModemInstances(world.Registry(), RunningModemClass(world)) : 0;
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "RemoveModem");
  EndCallLine(line, sizeof line, config.Result);
  AddNumberNote(line, sizeof line, "Removed", removed);
  AppendCallLog(world, line);
  return config.Result;
}

int StandinGetInfByPci(StandinWorld& world, char* infName, int* flag) {
  const EntryConfig config = BeginEntry(world, "GetInfByPci");
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "GetInfByPci");
  AddTextArgument(line, sizeof line, infName ? infName : "");
  AddNumberArgument(line, sizeof line, flag ? *flag : 0);
  char inf[InfNameSize];
  world.ConfigText("GetInfByPci", "Inf", "", inf, sizeof inf);
  if (infName && inf[0]) {
    infName[0] = '\0';
    AppendCut(infName, InfNameSize, inf);
  }
  if (flag) *flag = world.ConfigNumber("GetInfByPci", "Flag", *flag);
  EndCallLine(line, sizeof line, config.Result);
  AddNumberNote(line, sizeof line, "Flag", flag ? *flag : 0);
  AddNote(line, sizeof line, "Inf", infName ? infName : "", true);
  AppendCallLog(world, line);
  return config.Result;
}

int StandinGetHardWareId(StandinWorld& world, char* hardwareId) {
  const EntryConfig config = BeginEntry(world, "GetHardWareId");
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "GetHardWareId");
  EndCallLine(line, sizeof line, config.Result);
  if (config.Result && hardwareId) {
    world.ConfigText("GetHardWareId", "Id", DefaultHardwareId, hardwareId, HardwareIdSize);
    AddNote(line, sizeof line, "Id", hardwareId, true);
  }
  AppendCallLog(world, line);
  return config.Result;
}

// Windows finishes the refresh in the background: the class record on the
// 9x family, the running driver service on NT. Delay is the time until
// that happens; the entry returns at once. A refresh that could not be
// started answers 0.
int StandinRefreshWin2K(StandinWorld& world) {
  const EntryConfig config = ReadEntryConfig(world, "RefreshWin2K");
  int result = config.Result;
  if (result && config.Effect) {
    const int life = world.ConfigNumber("RefreshWin2K", "Life", DefaultServiceLife);
    const int started = world.OnWindows9x()
                            ? world.StartRecordWriter(config.Delay)
                            : world.StartModemService(config.Delay, NotBelowZero(life));
    if (!started) result = 0;
  }
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "RefreshWin2K");
  EndCallLine(line, sizeof line, result);
  AddNumberNote(line, sizeof line, "Delay", static_cast<long>(config.Delay));
  AddSourcePathNote(world, line, sizeof line);
  AppendCallLog(world, line);
  return result;
}

int StandinUpdateNT5Device(StandinWorld& world, const wchar_t* hardwareId, const wchar_t* infName) {
  const EntryConfig config = BeginEntry(world, "UpdateNT5Device");
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "UpdateNT5Device");
  AddWideArgument(line, sizeof line, hardwareId);
  AddWideArgument(line, sizeof line, infName);
  EndCallLine(line, sizeof line, config.Result);
  AddSourcePathNote(world, line, sizeof line);
  AppendCallLog(world, line);
  return config.Result;
}

// A numbered instance of the NT Modem class whose "DriverDesc" and "Model"
// are the description; 0 when it could not be created.
int StandinInstallClassDevice(StandinWorld& world, const wchar_t* className,
                              const wchar_t* deviceName, const wchar_t* description, int flags) {
  const EntryConfig config = BeginEntry(world, "InstallClassDevice");
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "InstallClassDevice");
  AddWideArgument(line, sizeof line, className);
  AddWideArgument(line, sizeof line, deviceName);
  AddWideArgument(line, sizeof line, description);
  AddNumberArgument(line, sizeof line, flags);
  int result = config.Result;
  char instance[5] = "";
  if (config.Effect) {
    char text[ArgumentSize];
    NarrowText(text, sizeof text, description);
    if (!AddModemInstance(world.Registry(), NTModemClass, text, instance)) result = 0;
  }
  EndCallLine(line, sizeof line, result);
  if (instance[0]) AddNote(line, sizeof line, "Instance", instance, true);
  AddSourcePathNote(world, line, sizeof line);
  AppendCallLog(world, line);
  return result;
}

// "remove" deletes this driver's modem instances; "refresh" starts the
// record writer, so that the modem's class record appears RecordDelay ms
// later, as Windows 95 would finish the device installation. [qvsetup3]
// Delay is how long it runs, Result its exit code.
int StandinDeviceProgram(StandinWorld& world, const char* argument) {
  const EntryConfig config = ReadEntryConfig(world, "qvsetup3");
  const int exitCode = world.ConfigNumber("qvsetup3", "Result", 0);
  world.Pass(config.Delay);
  char line[DeviceLineSize];
  BeginCallLine(line, sizeof line, "qvsetup3");
  AddTextArgument(line, sizeof line, argument);
  EndCallLine(line, sizeof line, exitCode);
  if (config.Effect && strcmp(argument, "remove") == 0) {
    AddNumberNote(line, sizeof line, "Removed",
                  RemoveModemInstances(world.Registry(), RunningModemClass(world)));
  } else if (config.Effect && strcmp(argument, "refresh") == 0) {
    const int delay = world.ConfigNumber("qvsetup3", "RecordDelay", 0);
    AddNumberNote(line, sizeof line, "RecordWriter", world.StartRecordWriter(NotBelowZero(delay)));
  }
  AppendCallLog(world, line);
  return exitCode;
}

int StandinWriteClassRecord(StandinWorld& world, unsigned long delay) {
  char instance[5] = "";
  const int written = AddModemInstance(world.Registry(), Win9xModemClass, ModemName, instance);
  char line[HelperLineSize];
  BeginCallLine(line, sizeof line, "ClassRecord");
  AddTextArgument(line, sizeof line, instance);
  AddNumberArgument(line, sizeof line, static_cast<long>(delay));
  EndCallLine(line, sizeof line, written);
  AppendCallLog(world, line);
  return written;
}

void LogModemServiceState(StandinWorld& world, const char* state, unsigned long delay,
                          unsigned long life) {
  char line[HelperLineSize];
  BeginCallLine(line, sizeof line, ModemServiceName);
  AddTextArgument(line, sizeof line, state);
  AddNumberArgument(line, sizeof line, static_cast<long>(delay));
  AddNumberArgument(line, sizeof line, static_cast<long>(life));
  EndCallLine(line, sizeof line, 1);
  AppendCallLog(world, line);
}
