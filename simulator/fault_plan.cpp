#include "fault_plan.h"

PlannedFaults::PlannedFaults(const SeamGroups& groups, SimulatedFiles* files, const FaultPlan& plan)
    : ForwardingSystem(groups), files_(files), plan_(plan), recorded_(0), answered_(false) {}

bool PlannedFaults::Turn() const { return recorded_ + 1 == plan_.failCall; }

bool PlannedFaults::Failing() {
  answered_ = Turn();
  return answered_;
}

bool PlannedFaults::AnsweredAsPlanned(SystemStatus* status) const {
  if (answered_) *status = plan_.failStatus;
  return answered_;
}

void PlannedFaults::Recorded(size_t count) {
  recorded_ = count;
  answered_ = false;
  if (count == plan_.cutAfter) throw ProcessCut();
}

// ---------------------------------------------------------------- registry

SystemStatus PlannedFaults::OpenKey(const char* path, KeyAccess access, KeyHandle* key) {
  return Failing() ? plan_.failStatus : ForwardingSystem::OpenKey(path, access, key);
}

SystemStatus PlannedFaults::CreateKey(const char* path, KeyHandle* key) {
  return Failing() ? plan_.failStatus : ForwardingSystem::CreateKey(path, key);
}

SystemStatus PlannedFaults::EnumKey(KeyHandle key, unsigned long index, char* name,
                                    unsigned long* nameSize) {
  return Failing() ? plan_.failStatus : ForwardingSystem::EnumKey(key, index, name, nameSize);
}

SystemStatus PlannedFaults::EnumValue(KeyHandle key, unsigned long index, char* name,
                                      unsigned long* nameSize, unsigned char* data,
                                      unsigned long* dataSize) {
  return Failing() ? plan_.failStatus
                   : ForwardingSystem::EnumValue(key, index, name, nameSize, data, dataSize);
}

SystemStatus PlannedFaults::QueryValue(KeyHandle key, const char* name, unsigned long* type,
                                       unsigned char* data, unsigned long* dataSize) {
  return Failing() ? plan_.failStatus
                   : ForwardingSystem::QueryValue(key, name, type, data, dataSize);
}

SystemStatus PlannedFaults::SetValue(KeyHandle key, const char* name, unsigned long type,
                                     const unsigned char* data, unsigned long size) {
  return Failing() ? plan_.failStatus : ForwardingSystem::SetValue(key, name, type, data, size);
}

SystemStatus PlannedFaults::DeleteValue(KeyHandle key, const char* name) {
  return Failing() ? plan_.failStatus : ForwardingSystem::DeleteValue(key, name);
}

SystemStatus PlannedFaults::DeleteKey(const char* path) {
  return Failing() ? plan_.failStatus : ForwardingSystem::DeleteKey(path);
}

SystemStatus PlannedFaults::FlushKey(KeyHandle key) {
  return Failing() ? plan_.failStatus : ForwardingSystem::FlushKey(key);
}

// ------------------------------------------------------------------- files

unsigned long PlannedFaults::FileAttributes(const char* path) {
  return Failing() ? kNoSuchFile : ForwardingSystem::FileAttributes(path);
}

SystemStatus PlannedFaults::SetAttributes(const char* path, unsigned long attributes) {
  return Failing() ? plan_.failStatus : ForwardingSystem::SetAttributes(path, attributes);
}

// A copy that runs out of room is a copy that fails by itself.
SystemStatus PlannedFaults::CopyOneFile(const char* from, const char* to) {
  if (Turn() && plan_.failStatus == kStatusDiskFull) return files_->CopyUntilDiskFull(from, to);
  return Failing() ? plan_.failStatus : ForwardingSystem::CopyOneFile(from, to);
}

SystemStatus PlannedFaults::RemoveFile(const char* path) {
  return Failing() ? plan_.failStatus : ForwardingSystem::RemoveFile(path);
}

SystemStatus PlannedFaults::RenameReplacing(const char* from, const char* to) {
  if (!files_->HasRenameReplacing()) return ForwardingSystem::RenameReplacing(from, to);
  return Failing() ? plan_.failStatus : ForwardingSystem::RenameReplacing(from, to);
}

SystemStatus PlannedFaults::RenameFile(const char* from, const char* to) {
  return Failing() ? plan_.failStatus : ForwardingSystem::RenameFile(from, to);
}

SystemStatus PlannedFaults::MakeDirectory(const char* path) {
  return Failing() ? plan_.failStatus : ForwardingSystem::MakeDirectory(path);
}

SystemStatus PlannedFaults::FindFirstMatch(const char* pattern, SearchHandle* search, char* name) {
  return Failing() ? plan_.failStatus : ForwardingSystem::FindFirstMatch(pattern, search, name);
}

SystemStatus PlannedFaults::FindNextMatch(SearchHandle search, char* name) {
  return Failing() ? plan_.failStatus : ForwardingSystem::FindNextMatch(search, name);
}

SystemStatus PlannedFaults::OpenFileToRead(const char* path, FileHandle* file) {
  return Failing() ? plan_.failStatus : ForwardingSystem::OpenFileToRead(path, file);
}

SystemStatus PlannedFaults::OpenFileToAppend(const char* path, FileHandle* file) {
  return Failing() ? plan_.failStatus : ForwardingSystem::OpenFileToAppend(path, file);
}

SystemStatus PlannedFaults::ReadFromFile(FileHandle file, void* data, unsigned long size,
                                         unsigned long* read) {
  if (!Failing()) return ForwardingSystem::ReadFromFile(file, data, size, read);
  *read = 0;
  return plan_.failStatus;
}

SystemStatus PlannedFaults::AppendFile(FileHandle file, const void* data, unsigned long size) {
  return Failing() ? plan_.failStatus : ForwardingSystem::AppendFile(file, data, size);
}

SystemStatus PlannedFaults::FreeSpace(const char* path, unsigned long long* bytes) {
  return Failing() ? plan_.failStatus : ForwardingSystem::FreeSpace(path, bytes);
}

SystemStatus PlannedFaults::ProbeExclusiveOpen(const char* path, bool toWrite) {
  return Failing() ? plan_.failStatus : ForwardingSystem::ProbeExclusiveOpen(path, toWrite);
}

// ------------------------------------------------------------- environment

bool PlannedFaults::ChangeDirectory(const char* path) {
  return !Failing() && ForwardingSystem::ChangeDirectory(path);
}

unsigned long PlannedFaults::ShortPath(const char* path, char* out, unsigned long size) {
  return Failing() ? 0 : ForwardingSystem::ShortPath(path, out, size);
}

// A profile that can not be read answers as a missing one.
unsigned long PlannedFaults::ProfileString(const char* section, const char* key, char* out,
                                           unsigned long size, const char* file) {
  if (!Failing()) return ForwardingSystem::ProfileString(section, key, out, size, file);
  if (size > 0) out[0] = '\0';
  if (size > 1) out[1] = '\0';
  return 0;
}

// ---------------------------------------------------------------- programs

ProgramResult PlannedFaults::RunProgram(const char* path, char* commandLine) {
  if (!Failing()) return ForwardingSystem::RunProgram(path, commandLine);
  return {plan_.failStatus, false, 0};
}

SystemStatus PlannedFaults::OpenLibrary(const char* name, LibraryHandle* library) {
  return Failing() ? plan_.failStatus : ForwardingSystem::OpenLibrary(name, library);
}
