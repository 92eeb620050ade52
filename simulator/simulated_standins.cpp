#include "simulated_standins.h"

#include <cstdio>
#include <cstring>

#include "modem_records.h"
#include "profile.h"
#include "simulated_registry.h"
#include "standin_text.h"

namespace {

// The stand-ins' own constants (standins/*.cpp, standins/call_log.h).
const size_t kCallLineSize = 1200;
const size_t kDeviceLineSize = 256;
const size_t kStandinPathSize = 260;
const size_t kKeyPathSize = 512;
const size_t kValueSize = 256;
const size_t kInfNameSize = 256;
const size_t kHardwareIdSize = 528;
const size_t kArgumentSize = 528;
const int kDefaultServiceLife = 400000;
const unsigned long kLongestHelperTime = 600000;
const int kDeepestTree = 16;
const char kConfigName[] = "qvstandin.ini";
const char kRecordWriterName[] = "standin_record.exe";
const char kServiceProgramName[] = "standin_service.exe";
const char kServiceName[] = "TAVELINSoftModem";
const char kDefaultHardwareId[] = "PCI\\VEN_8086&DEV_2416&SUBSYS_12345678&REV_02";
const char kServicesKey[] = "System\\CurrentControlSet\\Services";
const char kSetupKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";

unsigned long Milliseconds(int configured) {
  return configured > 0 ? static_cast<unsigned long>(configured) : 0;
}

bool ReadsAsModem(const RegistryModel& registry, ModelKey* instance, const char* name) {
  unsigned undocumented = 0;
  const ModelValue* value = FindModelValue(registry, instance, name, &undocumented);
  return value != nullptr && value->type == kRegistryString &&
         value->data.size() <= kValueSize - 1 && CarriesModemName(value->data.c_str());
}

std::string ChildPath(const std::string& parent, const std::string& name) {
  return parent + "\\" + name;
}

// Deletes the key with everything below it that can go; a subkey that
// stays is passed over. True when the key is gone.
bool DeleteTree(RegistryModel* registry, const std::string& path, int depth) {
  const ModelKey* key = FindModelKey(*registry, &registry->machine, path.c_str());
  if (depth < kDeepestTree && key != nullptr) {
    for (size_t index = 0;;) {
      const std::vector<const ModelKey*> subkeys = SubkeysInOrder(*registry, *key);
      if (index >= subkeys.size() || subkeys[index]->name.size() >= kStandinPathSize) break;
      const std::string child = ChildPath(path, subkeys[index]->name);
      if (child.size() >= kKeyPathSize || !DeleteTree(registry, child, depth + 1)) ++index;
    }
  }
  return DeleteModelKey(registry, &registry->machine, path.c_str());
}

void AddWideArgument(char* line, size_t lineSize, const wchar_t* text) {
  char narrow[kArgumentSize];
  NarrowText(narrow, sizeof narrow, text);
  AddTextArgument(line, lineSize, narrow);
}

// The key of qvstandin.ini in `directory`, read afresh into `profile`;
// nullptr when the file or the key is missing.
const ProfileKey* ConfigKey(Machine* machine, const std::string& directory, const char* section,
                            const char* key, Profile* profile) {
  const std::string config = InDirectory(directory, kConfigName);
  if (config.size() >= kStandinPathSize) return nullptr;
  bool exists = false;
  ReadProfile(DiskFileText(machine, config, &exists), profile);
  const ProfileSection* found = exists ? FindProfileSection(*profile, section) : nullptr;
  return found != nullptr ? FindProfileKey(*found, key) : nullptr;
}

const char* ModemClassOf(OsClass osClass) {
  return IsWindows9xClass(osClass) ? Win9xModemClass : NTModemClass;
}

}  // namespace

SimulatedStandins::SimulatedStandins(SimulatedProcess* process)
    : process_(process), machine_(process->machine) {}

// ------------------------------------------------- the stand-ins' ways

std::string SimulatedStandins::Text(const std::string& directory, const char* section,
                                    const char* key, const char* fallback, size_t size) {
  Profile profile;
  const ProfileKey* entry = ConfigKey(machine_, directory, section, key, &profile);
  return (entry != nullptr ? ProfileValue(*entry) : std::string(fallback)).substr(0, size - 1);
}

int SimulatedStandins::Number(const std::string& directory, const char* section, const char* key,
                              int fallback) {
  Profile profile;
  return ProfileNumber(ConfigKey(machine_, directory, section, key, &profile), fallback);
}

void SimulatedStandins::Pass(unsigned long milliseconds) {
  const long long until = process_->clock + static_cast<long long>(milliseconds);
  for (;;) {
    size_t first = dueWork_.size();
    for (size_t i = 0; i < dueWork_.size(); ++i) {
      if (dueWork_[i].at <= until &&
          (first == dueWork_.size() || dueWork_[i].at < dueWork_[first].at))
        first = i;
    }
    if (first == dueWork_.size()) break;
    const DueWork work = dueWork_[first];
    dueWork_.erase(dueWork_.begin() + static_cast<long>(first));
    if (work.at > process_->clock) process_->clock = work.at;
    DoWork(work);
  }
  process_->clock = until;
}

bool SimulatedStandins::NextWork(long long* at) const {
  return Earliest(dueWork_, &DueWork::at, at);
}

// The call log that [CallLog] Path names, a line appended per call; with
// [CallLog] ErrorMode=1 the line ends in the caller's error mode.
void SimulatedStandins::WriteLine(const std::string& directory, const char* line,
                                  unsigned long errorMode) {
  const std::string path = Text(directory, "CallLog", "Path", "", kStandinPathSize);
  if (path.empty()) return;
  char text[kCallLineSize];
  snprintf(text, sizeof text, "%s", line);
  if (Number(directory, "CallLog", "ErrorMode", 0))
    AddNumberNote(text, sizeof text, "ErrorMode", static_cast<long>(errorMode));
  std::vector<std::string> names;
  SystemStatus status = SplitFilePath(path.c_str(), machine_->currentDir, &names);
  SimulatedFile* directoryOfLog = status == kStatusSuccess && !names.empty()
                                      ? FindParent(&machine_->disk, names, &status)
                                      : nullptr;
  if (directoryOfLog == nullptr) return;
  SimulatedFile* log = FindEntry(machine_->disk, *directoryOfLog, names.back());
  if (log == nullptr) log = AddEntry(directoryOfLog, names.back(), false);
  if (log->directory || log->heldByOther) return;
  const std::string written = std::string(text) + "\r\n";
  AppendContent(&machine_->disk, log, written.data(), written.size());
  calls_.push_back(text);
}

// SourcePath="..." or SourcePath=none: the value through which the real
// libraries find the installation files.
void SimulatedStandins::AddSourcePathNote(char* line, size_t lineSize) {
  const RegistryModel& registry = machine_->registry;
  const ModelKey* key = FindModelKey(registry, &registry.machine, kSetupKey);
  unsigned undocumented = 0;
  const ModelValue* value = key != nullptr ? FindModelValue(registry, const_cast<ModelKey*>(key),
                                                            "SourcePath", &undocumented)
                                           : nullptr;
  const bool found = value != nullptr && value->data.size() < kStandinPathSize &&
                     (value->type == kRegistryString || value->type == kRegistryExpandString);
  const std::string text = found ? std::string(value->data.c_str()) : std::string("none");
  AddNote(line, lineSize, "SourcePath", text.c_str(), found);
}

// Deletes every instance of the class whose Model or DriverDesc carries one
// of this driver's modem names, with its subkeys.
int SimulatedStandins::RemoveModemInstances(const char* classPath) {
  RegistryModel* registry = &machine_->registry;
  const ModelKey* classKey = FindModelKey(*registry, &registry->machine, classPath);
  if (classKey == nullptr) return 0;
  int removed = 0;
  for (size_t index = 0;;) {
    const std::vector<const ModelKey*> instances = SubkeysInOrder(*registry, *classKey);
    if (index >= instances.size()) break;
    const std::string path = ChildPath(classPath, instances[index]->name);
    ModelKey* instance = const_cast<ModelKey*>(instances[index]);
    const bool ours = path.size() < kKeyPathSize &&
                      (ReadsAsModem(*registry, instance, "Model") ||
                       ReadsAsModem(*registry, instance, "DriverDesc"));
    if (ours && DeleteTree(registry, path, 0))
      ++removed;  // the next instance moved into this index
    else
      ++index;
  }
  ForgetDeletedKeys(process_);
  return removed;
}

// Creates the lowest free numbered instance with DriverDesc and Model set
// to the description.
bool SimulatedStandins::AddModemInstance(const char* classPath, const char* description,
                                         char* instance) {
  RegistryModel* registry = &machine_->registry;
  for (int n = 0; InstanceName(instance, 5, n); ++n) {
    const std::string path = ChildPath(classPath, instance);
    if (path.size() >= kKeyPathSize) return false;
    if (FindModelKey(*registry, &registry->machine, path.c_str()) != nullptr) continue;
    ModelKey* key = CreateModelKey(registry, &registry->machine, path.c_str(), 0).key;
    if (key == nullptr) return false;
    const std::string text = std::string(description) + '\0';
    ModelValue before;
    SetModelValue(registry, key, "DriverDesc", kRegistryString, text, 0, &before);
    SetModelValue(registry, key, "Model", kRegistryString, text, 0, &before);
    return true;
  }
  return false;
}

// The record writer (standin_record.exe): the modem's class record appears
// once the delay has passed.
int SimulatedStandins::StartRecordWriter(const std::string& directory, unsigned long delay) {
  if (InDirectory(directory, kRecordWriterName).size() >= kStandinPathSize) return 0;
  const unsigned long capped = delay > kLongestHelperTime ? kLongestHelperTime : delay;
  dueWork_.push_back({process_->clock + static_cast<long long>(capped), kWriteClassRecord, capped,
                      0, process_->errorMode, directory});
  return 1;
}

// The values that the service manager writes for the service: on the test
// platform as its services.exe keeps them (the path a plain string, and the
// 32-bit program marked), on Windows as its own.
bool SimulatedStandins::WriteServiceRecord(const std::string& command) {
  RegistryModel* registry = &machine_->registry;
  ModelKey* key =
      CreateModelKey(registry, &registry->machine, ChildPath(kServicesKey, kServiceName).c_str(), 0)
          .key;
  if (key == nullptr) return false;
  const bool test = machine_->testPlatform;
  auto text = [&](const char* name, const std::string& value, unsigned long type) {
    ModelValue before;
    SetModelValue(registry, key, name, type, value + '\0', 0, &before);
  };
  auto number = [&](const char* name, unsigned long value) {
    const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF),
                           static_cast<char>(value >> 16 & 0xFF),
                           static_cast<char>(value >> 24 & 0xFF)};
    ModelValue before;
    SetModelValue(registry, key, name, kRegistryNumber, std::string(bytes, 4), 0, &before);
  };
  text("DisplayName", ModemName, kRegistryString);
  text("ImagePath", command, test ? kRegistryString : kRegistryExpandString);
  text("ObjectName", "LocalSystem", kRegistryString);
  number("Start", 3);         // SERVICE_DEMAND_START
  number("ErrorControl", 0);  // SERVICE_ERROR_IGNORE
  number("Type", 0x10);       // SERVICE_WIN32_OWN_PROCESS
  if (test) {
    number("PreshutdownTimeout", 180000);
    number("WOW64", 1);
  }
  return true;
}

// standin_service.exe start: registers the driver service with the service
// manager, which records it in the registry, and starts it: it runs once
// the delay has passed and stops by itself at the end of its life.
bool SimulatedStandins::StartModemService(const std::string& directory, unsigned long delay,
                                          unsigned long life) {
  const std::string program = InDirectory(directory, kServiceProgramName);
  if (program.size() >= kStandinPathSize) return false;
  const unsigned long runsAfter = delay > kLongestHelperTime ? kLongestHelperTime : delay;
  unsigned long lives = life > kLongestHelperTime ? kLongestHelperTime : life;
  if (lives < runsAfter) lives = runsAfter;
  if (!WriteServiceRecord("\"" + program + "\" " + std::to_string(runsAfter) + " " +
                          std::to_string(lives)))
    return false;
  ForgetDeletedKeys(process_);
  const long long clock = process_->clock;
  for (const MachineService& service : machine_->services) {
    const bool running = SameFileName(service.name, kServiceName) && service.runningFrom >= 0 &&
                         (service.stoppedAt < 0 || clock < service.stoppedAt);
    if (running) return true;  // a second start finds it running
  }
  MachineService* service = nullptr;
  for (MachineService& known : machine_->services) {
    if (SameFileName(known.name, kServiceName)) service = &known;
  }
  if (service == nullptr) {
    machine_->services.push_back({kServiceName, -1, -1});
    service = &machine_->services.back();
  }
  service->runningFrom = clock + static_cast<long long>(runsAfter);
  service->stoppedAt = clock + static_cast<long long>(lives);
  // Started by the service manager, the service has the default error mode.
  dueWork_.push_back({service->runningFrom, kServiceRuns, runsAfter, lives, 0, directory});
  dueWork_.push_back({service->stoppedAt, kServiceStops, runsAfter, lives, 0, directory});
  return true;
}

void SimulatedStandins::DoWork(const DueWork& work) {
  char line[kCallLineSize];
  if (work.work == kWriteClassRecord) {
    char instance[5] = "";
    const bool written = AddModemInstance(Win9xModemClass, ModemName, instance);
    BeginCallLine(line, sizeof line, "ClassRecord");
    AddTextArgument(line, sizeof line, instance);
    AddNumberArgument(line, sizeof line, static_cast<long>(work.delay));
    EndCallLine(line, sizeof line, written ? 1 : 0);
  } else {
    BeginCallLine(line, sizeof line, kServiceName);
    AddTextArgument(line, sizeof line, work.work == kServiceRuns ? "running" : "stopped");
    AddNumberArgument(line, sizeof line, static_cast<long>(work.delay));
    AddNumberArgument(line, sizeof line, static_cast<long>(work.life));
    EndCallLine(line, sizeof line, 1);
  }
  WriteLine(work.directory, line, work.errorMode);
}

unsigned long SimulatedStandins::RunDeviceProgram(const std::string& directory,
                                                  const char* commandLine) {
  char argument[32];
  ArgumentAt(argument, sizeof argument, commandLine, 0);
  const int delay = Number(directory, "qvsetup3", "Delay", 0);
  const bool effect = Number(directory, "qvsetup3", "Effect", 1) != 0;
  const int exitCode = Number(directory, "qvsetup3", "Result", 0);
  Pass(Milliseconds(delay));
  char line[kDeviceLineSize];
  BeginCallLine(line, sizeof line, "qvsetup3");
  AddTextArgument(line, sizeof line, argument);
  EndCallLine(line, sizeof line, exitCode);
  if (effect && strcmp(argument, "remove") == 0) {
    AddNumberNote(line, sizeof line, "Removed",
                  RemoveModemInstances(ModemClassOf(machine_->osClass)));
  } else if (effect && strcmp(argument, "refresh") == 0) {
    const int recordDelay = Number(directory, "qvsetup3", "RecordDelay", 0);
    AddNumberNote(line, sizeof line, "RecordWriter",
                  StartRecordWriter(directory, Milliseconds(recordDelay)));
  }
  WriteLine(directory, line, process_->errorMode);
  return static_cast<unsigned long>(exitCode);
}

// ------------------------------------------------------------ the entries

// Each entry as its stand-in: its configuration read afresh at each call,
// its delay passed, one line in the call log.

// The refresh returns at once: Delay is the time until Windows has
// finished it in the background, the record writer's on the 9x family, the
// driver service's on NT.
int SimulatedStandins::Refresh(const std::string& directory) {
  const char* name = "RefreshWin2K";
  const unsigned long delay = Milliseconds(Number(directory, name, "Delay", 0));
  int result = Number(directory, name, "Result", 1);
  if (result && Number(directory, name, "Effect", 1) != 0) {
    const int life = Number(directory, name, "Life", kDefaultServiceLife);
    const bool started = IsWindows9xClass(machine_->osClass)
                             ? StartRecordWriter(directory, delay) != 0
                             : StartModemService(directory, delay, Milliseconds(life));
    if (!started) result = 0;
  }
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, name);
  EndCallLine(line, sizeof line, result);
  AddNumberNote(line, sizeof line, "Delay", static_cast<long>(delay));
  AddSourcePathNote(line, sizeof line);
  WriteLine(directory, line, process_->errorMode);
  return result;
}

int SimulatedStandins::AfterDelay(const std::string& directory, const char* name) {
  const int delay = Number(directory, name, "Delay", 0);
  const int result = Number(directory, name, "Result", 1);
  Pass(Milliseconds(delay));
  return result;
}

int SimulatedStandins::PlainEntry(const std::string& directory, const char* name) {
  if (strcmp(name, "RefreshWin2K") == 0) return Refresh(directory);
  const bool effect = Number(directory, name, "Effect", 1) != 0;
  const int result = AfterDelay(directory, name);
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, name);
  EndCallLine(line, sizeof line, result);
  if (strcmp(name, "RemoveModem") == 0) {
    AddNumberNote(line, sizeof line, "Removed",
                  effect ? RemoveModemInstances(ModemClassOf(machine_->osClass)) : 0);
  }
  WriteLine(directory, line, process_->errorMode);
  return result;
}

// The INF name and the flag as they came in, then the configured ones.
int SimulatedStandins::GetInfByPci(const std::string& directory, char* infName, int* flag) {
  const char* name = "GetInfByPci";
  const int result = AfterDelay(directory, name);
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, name);
  AddTextArgument(line, sizeof line, infName ? infName : "");
  AddNumberArgument(line, sizeof line, flag ? *flag : 0);
  const std::string inf = Text(directory, name, "Inf", "", kInfNameSize);
  if (infName && !inf.empty()) snprintf(infName, kInfNameSize, "%s", inf.c_str());
  if (flag) *flag = Number(directory, name, "Flag", *flag);
  EndCallLine(line, sizeof line, result);
  AddNumberNote(line, sizeof line, "Flag", flag ? *flag : 0);
  AddNote(line, sizeof line, "Inf", infName ? infName : "", true);
  WriteLine(directory, line, process_->errorMode);
  return result;
}

// A non-zero result hands back the configured controller id.
int SimulatedStandins::GetHardWareId(const std::string& directory, char* hardwareId) {
  const char* name = "GetHardWareId";
  const int result = AfterDelay(directory, name);
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, name);
  EndCallLine(line, sizeof line, result);
  if (result && hardwareId) {
    const std::string id = Text(directory, name, "Id", kDefaultHardwareId, kHardwareIdSize);
    snprintf(hardwareId, kHardwareIdSize, "%s", id.c_str());
    AddNote(line, sizeof line, "Id", hardwareId, true);
  }
  WriteLine(directory, line, process_->errorMode);
  return result;
}

int SimulatedStandins::UpdateNT5Device(const std::string& directory, const wchar_t* hardwareId,
                                       const wchar_t* infName) {
  const char* name = "UpdateNT5Device";
  const int result = AfterDelay(directory, name);
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, name);
  AddWideArgument(line, sizeof line, hardwareId);
  AddWideArgument(line, sizeof line, infName);
  EndCallLine(line, sizeof line, result);
  AddSourcePathNote(line, sizeof line);
  WriteLine(directory, line, process_->errorMode);
  return result;
}

// Creates a numbered instance of the NT Modem class whose DriverDesc and
// Model are the description; 0 when it could not be created.
int SimulatedStandins::InstallClassDevice(const std::string& directory, const wchar_t* className,
                                          const wchar_t* deviceName, const wchar_t* description,
                                          int flags) {
  const char* name = "InstallClassDevice";
  const bool effect = Number(directory, name, "Effect", 1) != 0;
  int result = AfterDelay(directory, name);
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, name);
  AddWideArgument(line, sizeof line, className);
  AddWideArgument(line, sizeof line, deviceName);
  AddWideArgument(line, sizeof line, description);
  AddNumberArgument(line, sizeof line, flags);
  char instance[5] = "";
  if (effect) {
    char text[kArgumentSize];
    NarrowText(text, sizeof text, description);
    if (!AddModemInstance(NTModemClass, text, instance)) result = 0;
  }
  EndCallLine(line, sizeof line, result);
  if (instance[0]) AddNote(line, sizeof line, "Instance", instance, true);
  AddSourcePathNote(line, sizeof line);
  WriteLine(directory, line, process_->errorMode);
  return result;
}
