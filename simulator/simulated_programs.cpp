// The programs that setup starts and the setup libraries it calls, on the
// simulated machine. The stand-ins (standins/) are followed call for call:
// the same configuration keys read from qvstandin.ini beside them, the same
// call-log lines (formed by their own text rules), the same registry
// records; their Sleep is the clock passing, their helper programs work
// that comes due later on the clock.
#include <cstdio>
#include <cstring>

#include "command_line.h"
#include "country_effect.h"
#include "modem_records.h"
#include "profile.h"
#include "simulated_windows.h"
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

enum StandinEntry {
  kRefreshWin2K,
  kRemoveModem,
  kWDMDeleteDevice,
  kRemoveDisabledModem,
  kDeleteOtherDevice,
  kRemovePort,
  kRemoveNTService,
  kGetInfByPci,
  kNTGetINF,
  kGetHardWareId,
  kUpdateNT5Device,
  kInstallClassDevice,
  kEntryCount
};

// The entries that each library exports (qvsetup1.def, qvsetup2.def).
struct EntryExport {
  const char* name;
  int library;
};
const EntryExport kExports[kEntryCount] = {{"RefreshWin2K", 2},      {"RemoveModem", 2},
                                           {"WDMDeleteDevice", 2},   {"RemoveDisabledModem", 2},
                                           {"DeleteOtherDevice", 2}, {"RemovePort", 2},
                                           {"RemoveNTService", 2},   {"GetInfByPci", 2},
                                           {"NTGetINF", 2},          {"GetHardWareId", 2},
                                           {"UpdateNT5Device", 1},   {"InstallClassDevice", 1}};

const char* const kLibraryNames[] = {"QVSETUP1.DLL", "QVSETUP2.DLL"};

std::string InDirectory(const std::string& directory, const std::string& name) {
  return !directory.empty() && directory.back() == '\\' ? directory + name
                                                        : directory + "\\" + name;
}

std::string DirectoryOf(const std::string& path) {
  const size_t last = path.find_last_of("\\/");
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

// The program's arguments: the command line after its first word (quoted
// or up to a blank) and the blanks that follow.
std::string ArgumentsOf(const char* commandLine) {
  const char* p = commandLine;
  if (*p == '"') {
    const char* closing = strchr(p + 1, '"');
    p = closing != nullptr ? closing + 1 : p + strlen(p);
  } else {
    while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

// The profile reader's number (GetPrivateProfileInt): the value's leading
// decimal digits with their sign, after blanks; an empty value or a missing
// key is the fallback.
int ProfileNumber(const std::string& value, bool found, int fallback) {
  // The reader takes the value into a buffer of 30 characters.
  const std::string text = value.substr(0, 29);
  if (!found || text.empty()) return fallback;
  size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  unsigned long number = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
    number = number * 10 + static_cast<unsigned long>(text[at] - '0');
  return static_cast<int>(negative ? 0 - number : number);
}

}  // namespace

// ---------------------------------------------------------------- programs

ProgramResult SimulatedWindows::RunProgram(const char* path, char* commandLine) {
  SystemStatus status;
  if (PlannedFailure(&status)) {
    RecordFailure("RunProgram \"" + std::string(path) + "\" \"" + commandLine + "\"", status);
    return {status, false, 0};
  }
  const SimulatedFile* file = FileAt(path, &status);
  if (file != nullptr && file->directory) status = kStatusAccessDenied;
  ProgramResult result = {status, false, 0};
  const std::string fullPath = file != nullptr ? FullFilePath(*file) : std::string();
  const ScriptedProgram* scripted = nullptr;
  for (const ScriptedProgram& program : machine_->programs) {
    const bool named = program.name.find_first_of("\\/:") != std::string::npos
                           ? SameFileName(program.name, fullPath)
                           : file != nullptr && SameFileName(program.name, file->name);
    if (named) scripted = &program;
  }
  if (status == kStatusSuccess && scripted != nullptr && scripted->startError != kStatusSuccess)
    result.Started = scripted->startError;
  if (result.Started == kStatusSuccess) {
    const std::string arguments = ArgumentsOf(commandLine);
    programs_.push_back(arguments.empty() ? std::string(path) : path + (" " + arguments));
    result.ExitCodeKnown = true;
    if (scripted != nullptr)
      result.ExitCode = scripted->exitCode;
    else if (SameFileName(file->name, "qvsmzad.exe"))
      result.ExitCode = RunCountryProgram(commandLine);
    else if (SameFileName(file->name, "qvsetup3.exe"))
      result.ExitCode = RunDeviceProgram(DirectoryOf(path), commandLine);
  }
  Record("RunProgram \"" + std::string(path) + "\" \"" + commandLine +
         "\" = " + std::to_string(result.Started) +
         (result.ExitCodeKnown ? " exit " + std::to_string(result.ExitCode) : std::string()));
  return result;
}

unsigned long SimulatedWindows::RunCountryProgram(const char* commandLine) {
  SystemStatus status;
  const SimulatedFile* file = FileAt(CountryFilePath(commandLine), &status);
  if (file == nullptr || file->directory) return 1;  // nothing is written
  std::string content = file->content;
  FILE* stream = content.empty() ? fopen("/dev/null", "rb")
                                 : fmemopen(&content[0], content.size(), "rb");
  if (stream == nullptr) return 1;
  CountryJournal journal;
  WalkCountryFileOnModel(stream, &machine_->registry, machine_->startTime + clock_ / 1000,
                         &journal);
  fclose(stream);
  ForgetDeletedKeys();
  return 0;
}

// qvsetup3.exe: "remove" deletes this driver's modem instances, "refresh"
// starts the record writer; [qvsetup3] Delay is how long it runs.
unsigned long SimulatedWindows::RunDeviceProgram(const std::string& directory,
                                                 const char* commandLine) {
  char argument[32];
  ArgumentAt(argument, sizeof argument, commandLine, 0);
  const int delay = StandinNumber(directory, "qvsetup3", "Delay", 0);
  const bool effect = StandinNumber(directory, "qvsetup3", "Effect", 1) != 0;
  const int exitCode = StandinNumber(directory, "qvsetup3", "Result", 0);
  Pass(delay > 0 ? static_cast<unsigned long>(delay) : 0);
  char line[kDeviceLineSize];
  BeginCallLine(line, sizeof line, "qvsetup3");
  AddTextArgument(line, sizeof line, argument);
  EndCallLine(line, sizeof line, exitCode);
  if (effect && strcmp(argument, "remove") == 0) {
    AddNumberNote(line, sizeof line, "Removed",
                  RemoveModemInstances(IsWindows9xClass(machine_->osClass) ? Win9xModemClass
                                                                           : NTModemClass));
  } else if (effect && strcmp(argument, "refresh") == 0) {
    const int recordDelay = StandinNumber(directory, "qvsetup3", "RecordDelay", 0);
    AddNumberNote(line, sizeof line, "RecordWriter",
                  StartRecordWriter(directory, recordDelay > 0 ? recordDelay : 0));
  }
  WriteStandinLine(directory, line, errorMode_);
  return static_cast<unsigned long>(exitCode);
}

// ------------------------------------------------------ the stand-ins' ways

std::string SimulatedWindows::StandinText(const std::string& directory, const char* section,
                                          const char* key, const char* fallback, size_t size) {
  std::string value = fallback;
  const std::string config = InDirectory(directory, kConfigName);
  bool exists = false;
  if (config.size() < kStandinPathSize) {
    Profile profile;
    ReadProfile(DiskFileText(config, &exists), &profile);
    const ProfileSection* found = exists ? FindProfileSection(profile, section) : nullptr;
    const ProfileKey* entry = found != nullptr ? FindProfileKey(*found, key) : nullptr;
    if (entry != nullptr) value = ProfileValue(*entry);
  }
  return value.substr(0, size - 1);
}

int SimulatedWindows::StandinNumber(const std::string& directory, const char* section,
                                    const char* key, int fallback) {
  const char kMissing[] = "\n";  // no value holds a line feed
  const std::string value = StandinText(directory, section, key, kMissing, 30);
  return ProfileNumber(value, value != kMissing, fallback);
}

void SimulatedWindows::Pass(unsigned long milliseconds) {
  const long long until = clock_ + static_cast<long long>(milliseconds);
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
    if (work.at > clock_) clock_ = work.at;
    DoWork(work);
  }
  clock_ = until;
}

// The call log that [CallLog] Path names, a line appended per call; with
// [CallLog] ErrorMode=1 the line ends in the caller's error mode.
void SimulatedWindows::WriteStandinLine(const std::string& directory, const char* line,
                                        unsigned long errorMode) {
  const std::string path = StandinText(directory, "CallLog", "Path", "", kStandinPathSize);
  if (path.empty()) return;
  char text[kCallLineSize];
  snprintf(text, sizeof text, "%s", line);
  if (StandinNumber(directory, "CallLog", "ErrorMode", 0))
    AddNumberNote(text, sizeof text, "ErrorMode", static_cast<long>(errorMode));
  std::vector<std::string> names;
  SystemStatus status = SplitFilePath(path.c_str(), machine_->currentDir, &names);
  SimulatedFile* directoryOfLog = status == kStatusSuccess && !names.empty()
                                      ? FindParent(&machine_->disk, names, &status)
                                      : nullptr;
  if (directoryOfLog == nullptr) return;
  SimulatedFile* log = ::FindEntry(machine_->disk, *directoryOfLog, names.back());
  if (log == nullptr) log = AddEntry(directoryOfLog, names.back(), false);
  if (log->directory || log->heldByOther) return;
  const std::string written = std::string(text) + "\r\n";
  AppendContent(&machine_->disk, log, written.data(), written.size());
  standinCalls_.push_back(text);
}

// SourcePath="..." or SourcePath=none: the value through which the real
// libraries find the installation files.
void SimulatedWindows::AddSourcePathNote(char* line, size_t lineSize) {
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

namespace {

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

}  // namespace

// Deletes every instance of the class whose Model or DriverDesc carries one
// of this driver's modem names, with its subkeys.
int SimulatedWindows::RemoveModemInstances(const char* classPath) {
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
  ForgetDeletedKeys();
  return removed;
}

// Creates the lowest free numbered instance with DriverDesc and Model set
// to the description.
bool SimulatedWindows::AddModemInstance(const char* classPath, const char* description,
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
int SimulatedWindows::StartRecordWriter(const std::string& directory, unsigned long delay) {
  if (InDirectory(directory, kRecordWriterName).size() >= kStandinPathSize) return 0;
  const unsigned long capped = delay > kLongestHelperTime ? kLongestHelperTime : delay;
  dueWork_.push_back({clock_ + static_cast<long long>(capped), kWriteClassRecord, capped, 0,
                      errorMode_, directory});
  return 1;
}

// standin_service.exe start: registers the driver service with the service
// manager, which records it in the registry, and starts it: it runs once
// the delay has passed and stops by itself at the end of its life.
bool SimulatedWindows::StartModemService(const std::string& directory, unsigned long delay,
                                         unsigned long life) {
  const std::string program = InDirectory(directory, kServiceProgramName);
  if (program.size() >= kStandinPathSize) return false;
  const unsigned long runsAfter = delay > kLongestHelperTime ? kLongestHelperTime : delay;
  unsigned long lives = life > kLongestHelperTime ? kLongestHelperTime : life;
  if (lives < runsAfter) lives = runsAfter;
  const std::string command =
      "\"" + program + "\" " + std::to_string(runsAfter) + " " + std::to_string(lives);

  // The values that the service manager writes for the service: on the test
  // platform as its services.exe keeps them (the path a plain string, and
  // the 32-bit program marked), on Windows as its own.
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
  ForgetDeletedKeys();

  for (const MachineService& service : machine_->services) {
    const bool running = SameFileName(service.name, kServiceName) && service.runningFrom >= 0 &&
                         (service.stoppedAt < 0 || clock_ < service.stoppedAt);
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
  service->runningFrom = clock_ + static_cast<long long>(runsAfter);
  service->stoppedAt = clock_ + static_cast<long long>(lives);
  // Started by the service manager, the service has the default error mode.
  dueWork_.push_back({service->runningFrom, kServiceRuns, runsAfter, lives, 0, directory});
  dueWork_.push_back({service->stoppedAt, kServiceStops, runsAfter, lives, 0, directory});
  return true;
}

void SimulatedWindows::DoWork(const DueWork& work) {
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
  WriteStandinLine(work.directory, line, work.errorMode);
}

// ------------------------------------------------------- setup libraries

SystemStatus SimulatedWindows::OpenLibrary(const char* name, LibraryHandle* library) {
  SystemStatus planned;
  if (PlannedFailure(&planned))
    return RecordFailure("OpenLibrary \"" + std::string(name) + "\"", planned);
  // The program's directory, the current one, the system and the Windows
  // directory, in that order; a name with a directory only there.
  std::vector<std::string> directories;
  std::string fileName = name;
  if (strpbrk(name, "\\/:") != nullptr) {
    directories.push_back(DirectoryOf(name));
    fileName = fileName.substr(fileName.find_last_of("\\/:") + 1);
  } else {
    directories = {machine_->programDir, machine_->currentDir, machine_->systemDir,
                   machine_->windowsDir};
  }
  // The 9x family answers a missing library with ERROR_DLL_NOT_FOUND.
  SystemStatus status = IsWindows9xClass(machine_->osClass) ? kStatusDllNotFound
                                                            : kStatusModuleNotFound;
  std::string found;
  for (const std::string& directory : directories) {
    SystemStatus at;
    const SimulatedFile* file = FileAt(InDirectory(directory, fileName).c_str(), &at);
    if (file != nullptr && !file->directory) {
      found = directory;
      break;
    }
  }
  int number = 0;
  for (int i = 0; i < 2; ++i) {
    if (SameFileName(fileName, kLibraryNames[i])) number = i + 1;
  }
  // Only the setup libraries are known here: any other library found is
  // none that the simulation can run.
  if (!found.empty()) status = number != 0 ? kStatusSuccess : kStatusBadExeFormat;
  if (status == kStatusSuccess) {
    size_t index = libraries_.size();
    for (size_t i = 0; i < libraries_.size(); ++i) {
      if (libraries_[i].number == number && libraries_[i].loads > 0) index = i;
    }
    if (index == libraries_.size()) libraries_.push_back({number, found, 0});
    ++libraries_[index].loads;
    *library = reinterpret_cast<LibraryHandle>(static_cast<uintptr_t>(index + 1));
  }
  Record("OpenLibrary \"" + std::string(name) + "\" = " + std::to_string(status) +
         (status == kStatusSuccess ? " from \"" + found + "\"" : std::string()));
  return status;
}

EntryHandle SimulatedWindows::FindEntry(LibraryHandle library, const char* name) {
  const size_t index = static_cast<size_t>(reinterpret_cast<uintptr_t>(library)) - 1;
  EntryHandle entry = nullptr;
  if (library != nullptr && index < libraries_.size() && libraries_[index].loads > 0) {
    for (int e = 0; e < kEntryCount; ++e) {
      if (kExports[e].library == libraries_[index].number && strcmp(kExports[e].name, name) == 0)
        entry = reinterpret_cast<EntryHandle>(
            static_cast<uintptr_t>(index * kEntryCount + static_cast<size_t>(e) + 1));
    }
  }
  Record("FindEntry l" + std::to_string(index + 1) + " \"" + name +
         "\" = " + (entry != nullptr ? "found" : "none"));
  return entry;
}

void SimulatedWindows::CloseLibrary(LibraryHandle library) {
  const size_t index = static_cast<size_t>(reinterpret_cast<uintptr_t>(library)) - 1;
  if (library != nullptr && index < libraries_.size() && libraries_[index].loads > 0)
    --libraries_[index].loads;
  Record("CloseLibrary l" + std::to_string(index + 1));
}

namespace {

size_t EntryIndex(EntryHandle entry) {
  return static_cast<size_t>(reinterpret_cast<uintptr_t>(entry)) - 1;
}

}  // namespace

std::string SimulatedWindows::EntryDirectory(EntryHandle entry) const {
  const size_t index = EntryIndex(entry) / kEntryCount;
  return entry != nullptr && index < libraries_.size() ? libraries_[index].directory
                                                       : std::string();
}

namespace {

int EntryOf(EntryHandle entry) { return static_cast<int>(EntryIndex(entry) % kEntryCount); }

}  // namespace

// Each entry as its stand-in: its configuration read afresh at each call,
// its delay passed, one line in the call log.

int SimulatedWindows::PlainEntry(const std::string& directory, int entry) {
  const char* name = kExports[entry].name;
  const int delay = StandinNumber(directory, name, "Delay", 0);
  const bool effect = StandinNumber(directory, name, "Effect", 1) != 0;
  int result = StandinNumber(directory, name, "Result", 1);
  char line[kCallLineSize];
  if (entry == kRefreshWin2K) {
    // The refresh returns at once: Delay is the time until Windows has
    // finished it in the background.
    const unsigned long refreshDelay = delay > 0 ? static_cast<unsigned long>(delay) : 0;
    if (result && effect) {
      const int life = StandinNumber(directory, name, "Life", kDefaultServiceLife);
      const bool started = IsWindows9xClass(machine_->osClass)
                               ? StartRecordWriter(directory, refreshDelay) != 0
                               : StartModemService(directory, refreshDelay,
                                                   life > 0 ? static_cast<unsigned long>(life) : 0);
      if (!started) result = 0;
    }
    BeginCallLine(line, sizeof line, name);
    EndCallLine(line, sizeof line, result);
    AddNumberNote(line, sizeof line, "Delay", static_cast<long>(refreshDelay));
    AddSourcePathNote(line, sizeof line);
  } else {
    Pass(delay > 0 ? static_cast<unsigned long>(delay) : 0);
    BeginCallLine(line, sizeof line, name);
    EndCallLine(line, sizeof line, result);
    if (entry == kRemoveModem) {
      const char* modemClass = IsWindows9xClass(machine_->osClass) ? Win9xModemClass : NTModemClass;
      AddNumberNote(line, sizeof line, "Removed", effect ? RemoveModemInstances(modemClass) : 0);
    }
  }
  WriteStandinLine(directory, line, errorMode_);
  return result;
}

int SimulatedWindows::CallPlainEntry(EntryHandle entry) {
  const int which = EntryOf(entry);
  const int result = PlainEntry(EntryDirectory(entry), which);
  Record("CallPlainEntry " + std::string(kExports[which].name) + " = " + std::to_string(result));
  return result;
}

// The INF name and the flag as they came in, then the configured ones.
int SimulatedWindows::CallGetInfByPci(EntryHandle entry, char* infName, int* flag) {
  const std::string directory = EntryDirectory(entry);
  const char* name = "GetInfByPci";
  const int delay = StandinNumber(directory, name, "Delay", 0);
  const int result = StandinNumber(directory, name, "Result", 1);
  Pass(delay > 0 ? static_cast<unsigned long>(delay) : 0);
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, name);
  AddTextArgument(line, sizeof line, infName ? infName : "");
  AddNumberArgument(line, sizeof line, flag ? *flag : 0);
  const std::string inf = StandinText(directory, name, "Inf", "", kInfNameSize);
  if (infName && !inf.empty()) snprintf(infName, kInfNameSize, "%s", inf.c_str());
  if (flag) *flag = StandinNumber(directory, name, "Flag", *flag);
  EndCallLine(line, sizeof line, result);
  AddNumberNote(line, sizeof line, "Flag", flag ? *flag : 0);
  AddNote(line, sizeof line, "Inf", infName ? infName : "", true);
  WriteStandinLine(directory, line, errorMode_);
  Record("CallGetInfByPci = " + std::to_string(result) + " \"" + (infName ? infName : "") + "\" " +
         std::to_string(flag ? *flag : 0));
  return result;
}

// A non-zero result hands back the configured controller id.
int SimulatedWindows::CallGetHardWareId(EntryHandle entry, char* hardwareId) {
  const std::string directory = EntryDirectory(entry);
  const char* name = "GetHardWareId";
  const int delay = StandinNumber(directory, name, "Delay", 0);
  const int result = StandinNumber(directory, name, "Result", 1);
  Pass(delay > 0 ? static_cast<unsigned long>(delay) : 0);
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, name);
  EndCallLine(line, sizeof line, result);
  if (result && hardwareId) {
    const std::string id = StandinText(directory, name, "Id", kDefaultHardwareId, kHardwareIdSize);
    snprintf(hardwareId, kHardwareIdSize, "%s", id.c_str());
    AddNote(line, sizeof line, "Id", hardwareId, true);
  }
  WriteStandinLine(directory, line, errorMode_);
  Record("CallGetHardWareId = " + std::to_string(result) +
         (result && hardwareId ? " \"" + std::string(hardwareId) + "\"" : std::string()));
  return result;
}

namespace {

void AddWideArgument(char* line, size_t lineSize, const wchar_t* text) {
  char narrow[kArgumentSize];
  NarrowText(narrow, sizeof narrow, text);
  AddTextArgument(line, lineSize, narrow);
}

}  // namespace

int SimulatedWindows::CallUpdateNT5Device(EntryHandle entry, const wchar_t* hardwareId,
                                          const wchar_t* infName) {
  const std::string directory = EntryDirectory(entry);
  const char* name = "UpdateNT5Device";
  const int delay = StandinNumber(directory, name, "Delay", 0);
  const int result = StandinNumber(directory, name, "Result", 1);
  Pass(delay > 0 ? static_cast<unsigned long>(delay) : 0);
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, name);
  AddWideArgument(line, sizeof line, hardwareId);
  AddWideArgument(line, sizeof line, infName);
  EndCallLine(line, sizeof line, result);
  AddSourcePathNote(line, sizeof line);
  WriteStandinLine(directory, line, errorMode_);
  Record("CallUpdateNT5Device = " + std::to_string(result));
  return result;
}

// Creates a numbered instance of the NT Modem class whose DriverDesc and
// Model are the description; 0 when it could not be created.
int SimulatedWindows::CallInstallClassDevice(EntryHandle entry, const wchar_t* className,
                                             const wchar_t* deviceName, const wchar_t* description,
                                             int flags) {
  const std::string directory = EntryDirectory(entry);
  const char* name = "InstallClassDevice";
  const int delay = StandinNumber(directory, name, "Delay", 0);
  const bool effect = StandinNumber(directory, name, "Effect", 1) != 0;
  int result = StandinNumber(directory, name, "Result", 1);
  Pass(delay > 0 ? static_cast<unsigned long>(delay) : 0);
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
  WriteStandinLine(directory, line, errorMode_);
  Record("CallInstallClassDevice = " + std::to_string(result));
  return result;
}
