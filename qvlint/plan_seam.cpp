#include "plan_seam.h"

#include "base/log_rules.h"
#include "control/run.h"
#include "control/timers.h"
#include "effect_output.h"
#include "file_system.h"
#include "files/lists_rules.h"
#include "files/source_files.h"
#include "simulated_windows.h"

namespace {

const char kKeyRoot[] = "HKLM\\";
const size_t kNone = static_cast<size_t>(-1);

const char* const kKindNames[] = {"copy",
                                  "delete",
                                  "rename",
                                  "mkdir",
                                  "registry-set",
                                  "registry-delete-value",
                                  "registry-delete-key",
                                  "call",
                                  "run",
                                  "wait",
                                  "end"};

std::string StatusText(SystemStatus status) {
  LogText log;
  StartLogText(&log, "");
  AddLogStatus(&log, static_cast<unsigned long>(status));
  return log.Text;
}

std::string Quoted(const char* text) {
  LogText log;
  StartLogText(&log, "");
  AddLogQuoted(&log, text);
  return log.Text;
}

std::string WideQuoted(const wchar_t* text) {
  LogText log;
  StartLogText(&log, "");
  AddLogWideQuoted(&log, text);
  return log.Text;
}

std::string NameOf(const std::string& path) {
  const size_t last = path.find_last_of("\\/");
  return last == std::string::npos ? path : path.substr(last + 1);
}

bool IsCopyingFile(const char* path) { return SameFileName(NameOf(path), kCopyingName); }

bool OnDisk(Machine* machine, const std::string& path) {
  SystemStatus found;
  std::vector<std::string> names;
  return SplitFilePath(path.c_str(), machine->currentDir, &names) == kStatusSuccess &&
         ::FindFile(&machine->disk, names, &found) != nullptr;
}

// The files beside a destination that a copy fills or sets aside.
bool IsBesideDestination(const char* path) {
  return IsCopyingFile(path) || SameFileName(NameOf(path), kEarlierName);
}

// A value's data as the log shows it: a string in quotation marks, a
// number in decimal, other data in hexadecimal digits.
std::string ShownData(unsigned long type, const std::string& bytes) {
  if (type == kRegistryString || type == kRegistryExpandString)
    return Quoted(std::string(bytes.c_str()).c_str());
  if (type == kRegistryNumber && bytes.size() == 4) {
    unsigned long number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(bytes[i]);
    return std::to_string(number);
  }
  return RegeditData(type, bytes);
}

}  // namespace

const char* StepKindName(PlanStepKind kind) { return kKindNames[kind]; }

PlanSeam::PlanSeam(SimulatedWindows* windows, Machine* machine, const Profile* options,
                   const std::string& mediumDir)
    : windows_(windows),
      machine_(machine),
      options_(options),
      mediumDir_(mediumDir),
      listEntry_(nullptr),
      copyList_(false),
      copying_(kNone),
      sequenceBegun_(false),
      startDirectoryLeft_(false),
      stepsBeforeCleanup_(kNone) {}

PlanStep& PlanSeam::Add(PlanStepKind kind, const std::string& text, SystemStatus status) {
  copying_ = kNone;
  PlanStep step = {};
  step.kind = kind;
  step.text = text;
  step.result = StatusText(status);
  const bool fromList = listEntry_ != nullptr &&
                        ((kind == kStepCopy && copyList_) || (kind == kStepRun && !copyList_));
  if (fromList) {
    step.sourceLine = listEntry_->line;
    step.sourceColumn = ProfileValueColumn(*listEntry_);
  } else {
    listEntry_ = nullptr;
  }
  if (kind != kStepMakeDirectory && kind != kStepRegistrySet && kind != kStepRegistryDeleteValue)
    sequenceBegun_ = true;
  steps_.push_back(step);
  return steps_.back();
}

bool PlanSeam::PartOfCopy(const char* path, SystemStatus status) {
  if (copying_ == kNone) return IsBesideDestination(path);
  PlanStep& copy = steps_[copying_];
  if (!IsBesideDestination(path) && !SameFileName(path, copy.to)) return false;
  if (status != kStatusSuccess && !copy.failed) {
    copy.result = StatusText(status);
    copy.failed = true;
    copy.failsRun = OnDisk(machine_, DirectoryOf(copy.to));
  }
  return true;
}

void PlanSeam::NoteMediumCheck(const char* path, SystemStatus status) {
  if (status == kStatusSuccess || sequenceBegun_ || !missingMediumFile_.empty()) return;
  // The medium's directory is a legal 8.3 name: its short form differs
  // from it only in letter case.
  if (SameFileName(DirectoryOf(path), mediumDir_)) missingMediumFile_ = NameOf(path);
}

std::string PlanSeam::KeyPath(KeyHandle key) const {
  const auto found = keyPaths_.find(key);
  return found != keyPaths_.end() ? found->second : std::string("?");
}

// ---------------------------------------------------------------- registry

SystemStatus PlanSeam::OpenKey(const char* path, KeyAccess access, KeyHandle* key) {
  const SystemStatus status = windows_->OpenKey(path, access, key);
  if (status == kStatusSuccess) keyPaths_[*key] = kKeyRoot + std::string(path);
  return status;
}

SystemStatus PlanSeam::CreateKey(const char* path, KeyHandle* key) {
  const SystemStatus status = windows_->CreateKey(path, key);
  if (status == kStatusSuccess) keyPaths_[*key] = kKeyRoot + std::string(path);
  return status;
}

void PlanSeam::CloseKey(KeyHandle key) { windows_->CloseKey(key); }

SystemStatus PlanSeam::EnumKey(KeyHandle key, unsigned long index, char* name,
                               unsigned long* nameSize) {
  return windows_->EnumKey(key, index, name, nameSize);
}

SystemStatus PlanSeam::EnumValue(KeyHandle key, unsigned long index, char* name,
                                 unsigned long* nameSize, unsigned char* data,
                                 unsigned long* dataSize) {
  return windows_->EnumValue(key, index, name, nameSize, data, dataSize);
}

SystemStatus PlanSeam::QueryValue(KeyHandle key, const char* name, unsigned long* type,
                                  unsigned char* data, unsigned long* dataSize) {
  return windows_->QueryValue(key, name, type, data, dataSize);
}

SystemStatus PlanSeam::SetValue(KeyHandle key, const char* name, unsigned long type,
                                const unsigned char* data, unsigned long size) {
  const SystemStatus status = windows_->SetValue(key, name, type, data, size);
  if (name == nullptr) name = "";
  const std::string bytes(reinterpret_cast<const char*>(data), data != nullptr ? size : 0);
  PlanStep& step = Add(kStepRegistrySet,
                       "set " + KeyPath(key) + " [" + name + "] = " + ShownData(type, bytes),
                       status);
  step.key = KeyPath(key);
  step.value = name;
  step.data = RegeditData(type, bytes);
  return status;
}

SystemStatus PlanSeam::DeleteValue(KeyHandle key, const char* name) {
  const SystemStatus status = windows_->DeleteValue(key, name);
  if (name == nullptr) name = "";
  PlanStep& step =
      Add(kStepRegistryDeleteValue, "delete value " + KeyPath(key) + " [" + name + "]", status);
  step.key = KeyPath(key);
  step.value = name;
  return status;
}

SystemStatus PlanSeam::DeleteKey(const char* path) {
  const SystemStatus status = windows_->DeleteKey(path);
  PlanStep& step =
      Add(kStepRegistryDeleteKey, "delete key " + (kKeyRoot + std::string(path)), status);
  step.key = kKeyRoot + std::string(path);
  return status;
}

SystemStatus PlanSeam::FlushKey(KeyHandle key) { return windows_->FlushKey(key); }

// ------------------------------------------------------------------- files

unsigned long PlanSeam::FileAttributes(const char* path) { return windows_->FileAttributes(path); }

SystemStatus PlanSeam::SetAttributes(const char* path, unsigned long attributes) {
  return windows_->SetAttributes(path, attributes);
}

SystemStatus PlanSeam::CopyOneFile(const char* from, const char* to) {
  const SystemStatus status = windows_->CopyOneFile(from, to);
  const bool besideDestination = IsCopyingFile(to);
  const std::string destination = besideDestination ? DirectoryOf(to) + "\\" + NameOf(from)
                                                    : std::string(to);
  PlanStep& step =
      Add(kStepCopy, std::string("copy ") + from + " -> " + destination, kStatusSuccess);
  step.from = from;
  step.to = destination;
  copying_ = steps_.size() - 1;
  PartOfCopy(to, status);
  if (!besideDestination) copying_ = kNone;
  return status;
}

SystemStatus PlanSeam::RemoveFile(const char* path) {
  const SystemStatus status = windows_->RemoveFile(path);
  if (PartOfCopy(path, status)) return status;
  Add(kStepDelete, std::string("delete ") + path, status).path = path;
  return status;
}

SystemStatus PlanSeam::RenameReplacing(const char* from, const char* to) {
  const SystemStatus status = windows_->RenameReplacing(from, to);
  // The 9x family lacks the call: the copy goes on by deleting and renaming.
  if (status == kStatusCallNotImplemented && IsCopyingFile(from)) return status;
  return Renamed(from, to, status);
}

SystemStatus PlanSeam::RenameFile(const char* from, const char* to) {
  return Renamed(from, to, windows_->RenameFile(from, to));
}

SystemStatus PlanSeam::Renamed(const char* from, const char* to, SystemStatus status) {
  if (PartOfCopy(from, status)) {
    // The copy has ended once it has its place, unless an earlier file set
    // aside beside it has yet to go.
    if (IsCopyingFile(from) && !OnDisk(machine_, DirectoryOf(from) + "\\" + kEarlierName))
      copying_ = kNone;
    return status;
  }
  PlanStep& step = Add(kStepRename, std::string("rename ") + from + " -> " + to, status);
  step.from = from;
  step.to = to;
  return status;
}

SystemStatus PlanSeam::MakeDirectory(const char* path) {
  const SystemStatus status = windows_->MakeDirectory(path);
  // An empty path shows as such: setup asks for the directory of an empty
  // earlier SourcePath too.
  Add(kStepMakeDirectory, std::string("mkdir ") + (*path ? path : "\"\""), status).path = path;
  return status;
}

SystemStatus PlanSeam::FindFirstMatch(const char* pattern, SearchHandle* search, char* name) {
  const SystemStatus status = windows_->FindFirstMatch(pattern, search, name);
  NoteMediumCheck(pattern, status);
  return status;
}

SystemStatus PlanSeam::FindNextMatch(SearchHandle search, char* name) {
  return windows_->FindNextMatch(search, name);
}

void PlanSeam::EndSearch(SearchHandle search) { windows_->EndSearch(search); }

SystemStatus PlanSeam::OpenFileToRead(const char* path, FileHandle* file) {
  const SystemStatus status = windows_->OpenFileToRead(path, file);
  NoteMediumCheck(path, status);
  return status;
}

SystemStatus PlanSeam::OpenFileToAppend(const char* path, FileHandle* file) {
  return windows_->OpenFileToAppend(path, file);
}

SystemStatus PlanSeam::ReadFromFile(FileHandle file, void* data, unsigned long size,
                                    unsigned long* read) {
  return windows_->ReadFromFile(file, data, size, read);
}

SystemStatus PlanSeam::AppendFile(FileHandle file, const void* data, unsigned long size) {
  return windows_->AppendFile(file, data, size);
}

unsigned long PlanSeam::FileSize(FileHandle file) { return windows_->FileSize(file); }

void PlanSeam::CloseFile(FileHandle file) { windows_->CloseFile(file); }

// ------------------------------------------------------------- directories

unsigned long PlanSeam::CurrentDirectory(char* out, unsigned long size) {
  return windows_->CurrentDirectory(out, size);
}

// The run leaves its start-up directory once, when its paths are formed,
// and goes back to it when its clean-up begins.
bool PlanSeam::ChangeDirectory(const char* path) {
  if (startDirectoryLeft_ && stepsBeforeCleanup_ == kNone) stepsBeforeCleanup_ = steps_.size();
  startDirectoryLeft_ = true;
  return windows_->ChangeDirectory(path);
}

unsigned long PlanSeam::WindowsDirectory(char* out, unsigned long size) {
  return windows_->WindowsDirectory(out, size);
}

unsigned long PlanSeam::SystemDirectory(char* out, unsigned long size) {
  return windows_->SystemDirectory(out, size);
}

unsigned long PlanSeam::ProgramFile(char* out, unsigned long size) {
  return windows_->ProgramFile(out, size);
}

unsigned long PlanSeam::ExpandVariables(const char* text, char* out, unsigned long size) {
  return windows_->ExpandVariables(text, out, size);
}

bool PlanSeam::ComputerName(char* out, unsigned long size) {
  return windows_->ComputerName(out, size);
}

unsigned long PlanSeam::ShortPath(const char* path, char* out, unsigned long size) {
  return windows_->ShortPath(path, out, size);
}

// ----------------------------------------------------------------- profile

// A list's entries are read one by one, each just before it is carried out.
unsigned long PlanSeam::ProfileString(const char* section, const char* key, char* out,
                                      unsigned long size, const char* file) {
  const char* copySection = CopyListSection(machine_->osClass);
  const char* launchSection = LaunchListSection(machine_->osClass);
  const bool copyList = section && copySection && SameNameIgnoringCase(section, copySection);
  const bool launchList = section && launchSection && SameNameIgnoringCase(section, launchSection);
  const ProfileSection* listed =
      key != nullptr && (copyList || launchList) ? FindProfileSection(*options_, section) : nullptr;
  listEntry_ = listed != nullptr ? FindProfileKey(*listed, key) : nullptr;
  copyList_ = copyList;
  return windows_->ProfileString(section, key, out, size, file);
}

// ---------------------------------------------------------------- programs

ProgramResult PlanSeam::RunProgram(const char* path, char* commandLine) {
  const std::string command = commandLine;
  const std::string directory = machine_->currentDir;
  const ProgramResult result = windows_->RunProgram(path, commandLine);
  const std::string outcome = result.Started != kStatusSuccess
                                  ? "not started, " + StatusText(result.Started)
                                  : "exit code " + std::to_string(result.ExitCode);
  PlanStep& step =
      Add(kStepRun, std::string("run ") + path + " " + Quoted(command.c_str()) + " in " + directory,
          result.Started);
  step.result = outcome;
  step.failed = result.Started != kStatusSuccess || result.ExitCode != 0;
  step.path = path;
  step.command = command;
  step.directory = directory;
  return result;
}

// --------------------------------------------------------- setup libraries

SystemStatus PlanSeam::OpenLibrary(const char* name, LibraryHandle* library) {
  const SystemStatus status = windows_->OpenLibrary(name, library);
  PlanStep& step = Add(kStepCall, std::string("load ") + name, status);
  step.entry = "load";
  step.arguments = name;
  return status;
}

EntryHandle PlanSeam::FindEntry(LibraryHandle library, const char* name) {
  EntryHandle entry = windows_->FindEntry(library, name);
  if (entry != nullptr) {
    entryNames_[entry] = name;
  } else {
    PlanStep& step = Add(kStepCall, std::string("bind ") + name, kStatusProcNotFound);
    step.entry = "bind";
    step.arguments = name;
  }
  return entry;
}

void PlanSeam::CloseLibrary(LibraryHandle library) { windows_->CloseLibrary(library); }

int PlanSeam::CallEntry(const char* name, const std::string& arguments, int result,
                        const std::string& handedBack) {
  PlanStep& step =
      Add(kStepCall, std::string("call ") + name + "(" + arguments + ")", kStatusSuccess);
  step.entry = name;
  step.arguments = arguments;
  step.result = std::to_string(result) + handedBack;
  return result;
}

int PlanSeam::CallPlainEntry(EntryHandle entry) {
  return CallEntry(entryNames_[entry].c_str(), "", windows_->CallPlainEntry(entry), "");
}

int PlanSeam::CallGetInfByPci(EntryHandle entry, char* infName, int* flag) {
  const std::string arguments = Quoted(infName) + ", " + std::to_string(*flag);
  const int result = windows_->CallGetInfByPci(entry, infName, flag);
  return CallEntry("GetInfByPci", arguments, result,
                   ": INF name " + Quoted(infName) + ", flag " + std::to_string(*flag));
}

int PlanSeam::CallGetHardWareId(EntryHandle entry, char* hardwareId) {
  const int result = windows_->CallGetHardWareId(entry, hardwareId);
  return CallEntry("GetHardWareId", "", result, result ? ": id " + Quoted(hardwareId) : "");
}

int PlanSeam::CallUpdateNT5Device(EntryHandle entry, const wchar_t* hardwareId,
                                  const wchar_t* infName) {
  return CallEntry("UpdateNT5Device", WideQuoted(hardwareId) + ", " + WideQuoted(infName),
                   windows_->CallUpdateNT5Device(entry, hardwareId, infName), "");
}

int PlanSeam::CallInstallClassDevice(EntryHandle entry, const wchar_t* className,
                                     const wchar_t* deviceName, const wchar_t* description,
                                     int flags) {
  return CallEntry(
      "InstallClassDevice",
      WideQuoted(className) + ", " + WideQuoted(deviceName) + ", " + WideQuoted(description) +
          ", " + std::to_string(flags),
      windows_->CallInstallClassDevice(entry, className, deviceName, description, flags), "");
}

// ---------------------------------------------------------------- platform

bool PlanSeam::Version(PlatformVersion* version) { return windows_->Version(version); }

bool PlanSeam::IsAdministrator() { return windows_->IsAdministrator(); }

void PlanSeam::SuppressErrorBoxes() { windows_->SuppressErrorBoxes(); }

bool PlanSeam::HoldSetupMark() { return windows_->HoldSetupMark(); }

bool PlanSeam::ServiceRunning(const char* name) { return windows_->ServiceRunning(name); }

// ------------------------------------------------------------------- clock

void PlanSeam::LocalTime(ClockTime* time) { windows_->LocalTime(time); }

bool PlanSeam::StartTimer(int id, unsigned intervalMs) {
  const bool started = windows_->StartTimer(id, intervalMs);
  const bool modemPoll = id == kModemPollTimerId;
  const unsigned limit = modemPoll ? ModemPollLimit(machine_->osClass) : kServicePollLimit;
  const char* target = modemPoll ? "the modem's class record" : "the driver service to run";
  PlanStep& step =
      Add(kStepWait,
          std::string("wait for ") + target + ", every " + std::to_string(intervalMs / 1000) +
              " s, up to " + std::to_string(limit / 1000) + " s",
          kStatusSuccess);
  step.result = started ? "started" : "no timer";
  step.waitFor = target;
  step.interval = intervalMs;
  step.limit = limit;
  if (started) waits_.push_back({steps_.size() - 1, id, windows_->Clock(), -1});
  return started;
}

void PlanSeam::StopTimer(int id) {
  for (WaitTimes& wait : waits_) {
    if (wait.timer == id && wait.ended < 0) wait.ended = windows_->Clock();
  }
  windows_->StopTimer(id);
}

void PlanSeam::PostQuit(int exitCode) {
  for (WaitTimes& wait : waits_) {
    if (wait.ended < 0) wait.ended = windows_->Clock();
  }
  windows_->PostQuit(exitCode);
  Add(kStepEnd, "end", kStatusSuccess).result = "exit code " + std::to_string(exitCode);
}

void PlanSeam::EndProcess(int exitCode) { windows_->EndProcess(exitCode); }

SystemStatus PlanSeam::EnableShutdownPrivilege() { return windows_->EnableShutdownPrivilege(); }

SystemStatus PlanSeam::RequestRestart(unsigned flags) { return windows_->RequestRestart(flags); }

void PlanSeam::ShowMessage(const char* text, const char* caption) {
  windows_->ShowMessage(text, caption);
}
