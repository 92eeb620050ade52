#include "simulated_standins.h"

#include <cstring>

#include "profile.h"
#include "standin_entries.h"
#include "standin_text.h"

namespace {

// The longest path that a stand-in forms, terminator included (MAX_PATH).
const size_t kPathSize = 260;
const char kServicesKey[] = "System\\CurrentControlSet\\Services";

}  // namespace

SimulatedStandins::SimulatedStandins(SimulatedProcess* process)
    : process_(process),
      machine_(process->machine),
      own_{process->machine, 0, 0, {}},
      registry_(&own_),
      errorMode_(0) {}

void SimulatedStandins::Acting(const std::string& directory, unsigned long errorMode) {
  directory_ = directory;
  errorMode_ = errorMode;
}

RegistryCalls& SimulatedStandins::Registry() { return registry_; }

unsigned long SimulatedStandins::ErrorMode() { return errorMode_; }

bool SimulatedStandins::OnWindows9x() { return IsWindows9xClass(machine_->osClass); }

void SimulatedStandins::ConfigText(const char* section, const char* key, const char* fallback,
                                   char* out, size_t outSize) {
  const std::string config = InDirectory(directory_, StandinConfigName);
  bool exists = false;
  Profile profile;
  if (config.size() < kPathSize) ReadProfileFile(machine_, config, &profile, &exists);
  const ProfileSection* found = exists ? FindProfileSection(profile, section) : nullptr;
  const ProfileKey* entry = found != nullptr ? FindProfileKey(*found, key) : nullptr;
  out[0] = '\0';
  AppendCut(out, outSize, entry != nullptr ? ProfileValue(*entry).c_str() : fallback);
}

int SimulatedStandins::ConfigNumber(const char* section, const char* key, int fallback) {
  const std::string config = InDirectory(directory_, StandinConfigName);
  bool exists = false;
  Profile profile;
  if (config.size() < kPathSize) ReadProfileFile(machine_, config, &profile, &exists);
  const ProfileSection* found = exists ? FindProfileSection(profile, section) : nullptr;
  return ProfileNumber(found != nullptr ? FindProfileKey(*found, key) : nullptr, fallback);
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

// A line appended to the call log on the drive, unless its directory is
// missing or another program holds it.
void SimulatedStandins::AppendLine(const char* path, const char* line) {
  std::vector<std::string> names;
  SystemStatus status = SplitFilePath(path, machine_->currentDir, &names);
  SimulatedFile* directoryOfLog = status == kStatusSuccess && !names.empty()
                                      ? FindParent(&machine_->disk, names, &status)
                                      : nullptr;
  if (directoryOfLog == nullptr) return;
  SimulatedFile* log = FindEntry(machine_->disk, *directoryOfLog, names.back());
  if (log == nullptr) log = AddEntry(directoryOfLog, names.back(), false);
  if (log->directory || log->heldByOther) return;
  const std::string written = std::string(line) + "\r\n";
  AppendContent(&machine_->disk, log, written.data(), written.size());
  calls_.push_back(line);
}

// The record writer (standin_record.exe): the modem's class record appears
// once the delay has passed.
int SimulatedStandins::StartRecordWriter(unsigned long delay) {
  if (InDirectory(directory_, RecordWriterName).size() >= kPathSize) return 0;
  const unsigned long capped = delay > LongestHelperTime ? LongestHelperTime : delay;
  dueWork_.push_back({process_->clock + static_cast<long long>(capped), kWriteClassRecord, capped,
                      0, errorMode_, directory_});
  return 1;
}

// The values that the service manager writes for the service: on the test
// platform as its services.exe keeps them (the path a plain string, and the
// 32-bit program marked), on Windows as its own.
bool SimulatedStandins::WriteServiceRecord(const std::string& command) {
  RegistryModel* registry = &machine_->registry;
  ModelKey* key = CreateModelKey(registry, &registry->machine,
                                 InDirectory(kServicesKey, ModemServiceName).c_str(), 0)
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
int SimulatedStandins::StartModemService(unsigned long delay, unsigned long life) {
  const std::string program = InDirectory(directory_, ModemServiceProgram);
  if (program.size() >= kPathSize) return false;
  const unsigned long runsAfter = delay > LongestHelperTime ? LongestHelperTime : delay;
  unsigned long lives = life > LongestHelperTime ? LongestHelperTime : life;
  if (lives < runsAfter) lives = runsAfter;
  if (!WriteServiceRecord("\"" + program + "\" " + std::to_string(runsAfter) + " " +
                          std::to_string(lives)))
    return 0;
  const long long clock = process_->clock;
  for (const MachineService& service : machine_->services) {
    const bool running = SameFileName(service.name, ModemServiceName) && service.runningFrom >= 0 &&
                         (service.stoppedAt < 0 || clock < service.stoppedAt);
    if (running) return 1;  // a second start finds it running
  }
  MachineService* service = nullptr;
  for (MachineService& known : machine_->services) {
    if (SameFileName(known.name, ModemServiceName)) service = &known;
  }
  if (service == nullptr) {
    machine_->services.push_back({ModemServiceName, -1, -1});
    service = &machine_->services.back();
  }
  service->runningFrom = clock + static_cast<long long>(runsAfter);
  service->stoppedAt = clock + static_cast<long long>(lives);
  // Started by the service manager, the service has the default error mode.
  dueWork_.push_back({service->runningFrom, kServiceRuns, runsAfter, lives, 0, directory_});
  dueWork_.push_back({service->stoppedAt, kServiceStops, runsAfter, lives, 0, directory_});
  return 1;
}

// The helper's work in its own process: the stand-in that started it acts
// meanwhile, and acts again afterwards.
void SimulatedStandins::DoWork(const DueWork& work) {
  const std::string directory = directory_;
  const unsigned long errorMode = errorMode_;
  Acting(work.directory, work.errorMode);
  if (work.work == kWriteClassRecord)
    StandinWriteClassRecord(*this, work.delay);
  else
    LogModemServiceState(*this, work.work == kServiceRuns ? "running" : "stopped", work.delay,
                         work.life);
  ForgetDeletedKeys(process_);
  Acting(directory, errorMode);
}

unsigned long SimulatedStandins::RunDeviceProgram(const std::string& directory,
                                                  const char* commandLine) {
  char argument[32];
  ArgumentAt(argument, sizeof argument, commandLine, 0);
  Acting(directory, process_->errorMode);
  const int exitCode = StandinDeviceProgram(*this, argument);
  ForgetDeletedKeys(process_);
  return static_cast<unsigned long>(exitCode);
}

int SimulatedStandins::PlainEntry(const std::string& directory, const char* name) {
  Acting(directory, process_->errorMode);
  int result;
  if (strcmp(name, "RefreshWin2K") == 0)
    result = StandinRefreshWin2K(*this);
  else if (strcmp(name, "RemoveModem") == 0)
    result = StandinRemoveModem(*this);
  else
    result = StandinReportOnly(*this, name);
  ForgetDeletedKeys(process_);
  return result;
}

int SimulatedStandins::GetInfByPci(const std::string& directory, char* infName, int* flag) {
  Acting(directory, process_->errorMode);
  return StandinGetInfByPci(*this, infName, flag);
}

int SimulatedStandins::GetHardWareId(const std::string& directory, char* hardwareId) {
  Acting(directory, process_->errorMode);
  return StandinGetHardWareId(*this, hardwareId);
}

int SimulatedStandins::UpdateNT5Device(const std::string& directory, const wchar_t* hardwareId,
                                       const wchar_t* infName) {
  Acting(directory, process_->errorMode);
  return StandinUpdateNT5Device(*this, hardwareId, infName);
}

int SimulatedStandins::InstallClassDevice(const std::string& directory, const wchar_t* className,
                                          const wchar_t* deviceName, const wchar_t* description,
                                          int flags) {
  Acting(directory, process_->errorMode);
  const int result = StandinInstallClassDevice(*this, className, deviceName, description, flags);
  ForgetDeletedKeys(process_);
  return result;
}
