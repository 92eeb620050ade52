#include "forwarding_system.h"

ForwardingSystem::ForwardingSystem(const SeamGroups& groups) : groups_(groups) {}

ForwardingSystem::ForwardingSystem(System* system)
    : groups_({system, system, system, system, system}) {}

SystemStatus ForwardingSystem::OpenKey(const char* path, KeyAccess access, KeyHandle* key) {
  return groups_.registry->OpenKey(path, access, key);
}

SystemStatus ForwardingSystem::CreateKey(const char* path, KeyHandle* key) {
  return groups_.registry->CreateKey(path, key);
}

void ForwardingSystem::CloseKey(KeyHandle key) { groups_.registry->CloseKey(key); }

SystemStatus ForwardingSystem::EnumKey(KeyHandle key, unsigned long index, char* name,
                                       unsigned long* nameSize) {
  return groups_.registry->EnumKey(key, index, name, nameSize);
}

SystemStatus ForwardingSystem::EnumValue(KeyHandle key, unsigned long index, char* name,
                                         unsigned long* nameSize, unsigned char* data,
                                         unsigned long* dataSize) {
  return groups_.registry->EnumValue(key, index, name, nameSize, data, dataSize);
}

SystemStatus ForwardingSystem::QueryValue(KeyHandle key, const char* name, unsigned long* type,
                                          unsigned char* data, unsigned long* dataSize) {
  return groups_.registry->QueryValue(key, name, type, data, dataSize);
}

SystemStatus ForwardingSystem::SetValue(KeyHandle key, const char* name, unsigned long type,
                                        const unsigned char* data, unsigned long size) {
  return groups_.registry->SetValue(key, name, type, data, size);
}

SystemStatus ForwardingSystem::DeleteValue(KeyHandle key, const char* name) {
  return groups_.registry->DeleteValue(key, name);
}

SystemStatus ForwardingSystem::DeleteKey(const char* path) {
  return groups_.registry->DeleteKey(path);
}

SystemStatus ForwardingSystem::FlushKey(KeyHandle key) { return groups_.registry->FlushKey(key); }

unsigned long ForwardingSystem::FileAttributes(const char* path) {
  return groups_.files->FileAttributes(path);
}

SystemStatus ForwardingSystem::SetAttributes(const char* path, unsigned long attributes) {
  return groups_.files->SetAttributes(path, attributes);
}

SystemStatus ForwardingSystem::CopyOneFile(const char* from, const char* to) {
  return groups_.files->CopyOneFile(from, to);
}

SystemStatus ForwardingSystem::RemoveFile(const char* path) {
  return groups_.files->RemoveFile(path);
}

SystemStatus ForwardingSystem::RenameReplacing(const char* from, const char* to) {
  return groups_.files->RenameReplacing(from, to);
}

SystemStatus ForwardingSystem::RenameFile(const char* from, const char* to) {
  return groups_.files->RenameFile(from, to);
}

SystemStatus ForwardingSystem::MakeDirectory(const char* path) {
  return groups_.files->MakeDirectory(path);
}

SystemStatus ForwardingSystem::FindFirstMatch(const char* pattern, SearchHandle* search,
                                              char* name) {
  return groups_.files->FindFirstMatch(pattern, search, name);
}

SystemStatus ForwardingSystem::FindNextMatch(SearchHandle search, char* name) {
  return groups_.files->FindNextMatch(search, name);
}

void ForwardingSystem::EndSearch(SearchHandle search) { groups_.files->EndSearch(search); }

SystemStatus ForwardingSystem::OpenFileToRead(const char* path, FileHandle* file) {
  return groups_.files->OpenFileToRead(path, file);
}

SystemStatus ForwardingSystem::OpenFileToAppend(const char* path, FileHandle* file) {
  return groups_.files->OpenFileToAppend(path, file);
}

SystemStatus ForwardingSystem::ReadFromFile(FileHandle file, void* data, unsigned long size,
                                            unsigned long* read) {
  return groups_.files->ReadFromFile(file, data, size, read);
}

SystemStatus ForwardingSystem::AppendFile(FileHandle file, const void* data, unsigned long size) {
  return groups_.files->AppendFile(file, data, size);
}

unsigned long ForwardingSystem::FileSize(FileHandle file) { return groups_.files->FileSize(file); }

void ForwardingSystem::CloseFile(FileHandle file) { groups_.files->CloseFile(file); }

SystemStatus ForwardingSystem::FreeSpace(const char* path, unsigned long long* bytes) {
  return groups_.files->FreeSpace(path, bytes);
}

SystemStatus ForwardingSystem::ProbeExclusiveOpen(const char* path, bool toWrite) {
  return groups_.files->ProbeExclusiveOpen(path, toWrite);
}

unsigned long ForwardingSystem::CurrentDirectory(char* out, unsigned long size) {
  return groups_.environment->CurrentDirectory(out, size);
}

bool ForwardingSystem::ChangeDirectory(const char* path) {
  return groups_.environment->ChangeDirectory(path);
}

unsigned long ForwardingSystem::WindowsDirectory(char* out, unsigned long size) {
  return groups_.environment->WindowsDirectory(out, size);
}

unsigned long ForwardingSystem::SystemDirectory(char* out, unsigned long size) {
  return groups_.environment->SystemDirectory(out, size);
}

unsigned long ForwardingSystem::ProgramFile(char* out, unsigned long size) {
  return groups_.environment->ProgramFile(out, size);
}

unsigned long ForwardingSystem::ShortPath(const char* path, char* out, unsigned long size) {
  return groups_.environment->ShortPath(path, out, size);
}

unsigned long ForwardingSystem::ExpandVariables(const char* text, char* out, unsigned long size) {
  return groups_.environment->ExpandVariables(text, out, size);
}

bool ForwardingSystem::ComputerName(char* out, unsigned long size) {
  return groups_.environment->ComputerName(out, size);
}

unsigned long ForwardingSystem::ProfileString(const char* section, const char* key, char* out,
                                              unsigned long size, const char* file) {
  return groups_.environment->ProfileString(section, key, out, size, file);
}

ProgramResult ForwardingSystem::RunProgram(const char* path, char* commandLine) {
  return groups_.programs->RunProgram(path, commandLine);
}

SystemStatus ForwardingSystem::OpenLibrary(const char* name, LibraryHandle* library) {
  return groups_.programs->OpenLibrary(name, library);
}

EntryHandle ForwardingSystem::FindEntry(LibraryHandle library, const char* name) {
  return groups_.programs->FindEntry(library, name);
}

void ForwardingSystem::CloseLibrary(LibraryHandle library) {
  groups_.programs->CloseLibrary(library);
}

int ForwardingSystem::CallPlainEntry(EntryHandle entry) {
  return groups_.programs->CallPlainEntry(entry);
}

int ForwardingSystem::CallGetInfByPci(EntryHandle entry, char* infName, int* flag) {
  return groups_.programs->CallGetInfByPci(entry, infName, flag);
}

int ForwardingSystem::CallGetHardWareId(EntryHandle entry, char* hardwareId) {
  return groups_.programs->CallGetHardWareId(entry, hardwareId);
}

int ForwardingSystem::CallUpdateNT5Device(EntryHandle entry, const wchar_t* hardwareId,
                                          const wchar_t* infName) {
  return groups_.programs->CallUpdateNT5Device(entry, hardwareId, infName);
}

int ForwardingSystem::CallInstallClassDevice(EntryHandle entry, const wchar_t* className,
                                             const wchar_t* deviceName, const wchar_t* description,
                                             int flags) {
  return groups_.programs->CallInstallClassDevice(entry, className, deviceName, description, flags);
}

bool ForwardingSystem::Version(PlatformVersion* version) {
  return groups_.platform->Version(version);
}

bool ForwardingSystem::IsAdministrator() { return groups_.platform->IsAdministrator(); }

void ForwardingSystem::SuppressErrorBoxes() { groups_.platform->SuppressErrorBoxes(); }

bool ForwardingSystem::ServiceRunning(const char* name) {
  return groups_.platform->ServiceRunning(name);
}

bool ForwardingSystem::HoldSetupMark() { return groups_.platform->HoldSetupMark(); }

void ForwardingSystem::LocalTime(ClockTime* time) { groups_.platform->LocalTime(time); }

bool ForwardingSystem::StartTimer(int id, unsigned intervalMs) {
  return groups_.platform->StartTimer(id, intervalMs);
}

void ForwardingSystem::StopTimer(int id) { groups_.platform->StopTimer(id); }

void ForwardingSystem::PostQuit(int exitCode) { groups_.platform->PostQuit(exitCode); }

void ForwardingSystem::EndProcess(int exitCode) { groups_.platform->EndProcess(exitCode); }

SystemStatus ForwardingSystem::EnableShutdownPrivilege() {
  return groups_.platform->EnableShutdownPrivilege();
}

SystemStatus ForwardingSystem::RequestRestart(unsigned flags) {
  return groups_.platform->RequestRestart(flags);
}

void ForwardingSystem::ShowMessage(const char* text, const char* caption) {
  groups_.platform->ShowMessage(text, caption);
}
