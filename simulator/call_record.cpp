#include "call_record.h"

#include <cstdio>
#include <cstring>

#include "reg_file.h"

namespace {

std::string Quoted(const char* text) {
  return text == nullptr ? std::string("null") : "\"" + std::string(text) + "\"";
}

std::string Quoted(const std::string& text) { return Quoted(text.c_str()); }

// A handle as its letter and number: k1, f2, s3, l1.
template <typename Handle>
std::string Numbered(const char* letter, Handle handle) {
  return letter + std::to_string(IndexOf(handle) + 1);
}

std::string Said(SystemStatus status) { return " = " + std::to_string(status); }

std::string Truth(bool value) { return value ? "true" : "false"; }

std::string Attributes(unsigned long attributes) {
  char text[16];
  snprintf(text, sizeof text, "0x%lx", attributes);
  return text;
}

// A value's data as the record shows it: a string in quotation marks, a
// number in decimal, anything else in hexadecimal digits.
std::string DataText(unsigned long type, const unsigned char* data, size_t size) {
  if ((type == kRegistryString || type == kRegistryExpandString) && data != nullptr) {
    const size_t length = strnlen(reinterpret_cast<const char*>(data), size);
    return "\"" + std::string(reinterpret_cast<const char*>(data), length) + "\"";
  }
  if (type == kRegistryNumber && size == 4 && data != nullptr)
    return std::to_string(data[0] | data[1] << 8 | data[2] << 16 |
                          static_cast<unsigned long>(data[3]) << 24);
  const std::string bytes = data != nullptr ? std::string(reinterpret_cast<const char*>(data), size)
                                            : std::string();
  return "hex:" + HexText(bytes, "");
}

std::string DataText(const ModelValue& value) {
  return DataText(value.type, reinterpret_cast<const unsigned char*>(value.data.data()),
                  value.data.size());
}

}  // namespace

CallRecord::CallRecord(System* windows, CallPlan* plan, const RecordedGroups& groups)
    : ForwardingSystem(windows), plan_(plan), groups_(groups) {}

void CallRecord::Take(const std::string& line) {
  lines_.push_back(line);
  plan_->Recorded(lines_.size());
}

SystemStatus CallRecord::Noted(const std::string& head, SystemStatus status) {
  if (!TookPlanned(head)) Take(head + Said(status));
  return status;
}

SystemStatus CallRecord::Opened(const std::string& head, SystemStatus status,
                                const FileHandle* file) {
  if (!TookPlanned(head))
    Take(head + Said(status) +
         (status == kStatusSuccess ? " " + Numbered("f", *file) : std::string()));
  return status;
}

bool CallRecord::TookPlanned(const std::string& head) {
  SystemStatus status;
  if (!plan_->AnsweredAsPlanned(&status)) return false;
  Take(head + Said(status) + " planned");
  return true;
}

// ---------------------------------------------------------------- registry

SystemStatus CallRecord::OpenKey(const char* path, KeyAccess access, KeyHandle* key) {
  const SystemStatus status = ForwardingSystem::OpenKey(path, access, key);
  const std::string head = "OpenKey " + Quoted(path);
  if (!TookPlanned(head))
    Take(head + (access == kKeyAllAccess ? " all" : " read") + Said(status) +
         (status == kStatusSuccess ? " " + Numbered("k", *key) : std::string()));
  return status;
}

SystemStatus CallRecord::CreateKey(const char* path, KeyHandle* key) {
  const SystemStatus status = ForwardingSystem::CreateKey(path, key);
  const std::string head = "CreateKey " + Quoted(path);
  if (TookPlanned(head)) return status;
  std::string handle;
  if (status == kStatusSuccess)
    handle =
        " " + Numbered("k", *key) + (groups_.registry->KeyCreated(*key) ? " created" : " opened");
  Take(head + Said(status) + handle);
  return status;
}

void CallRecord::CloseKey(KeyHandle key) {
  ForwardingSystem::CloseKey(key);
  Take("CloseKey " + Numbered("k", key));
}

SystemStatus CallRecord::EnumKey(KeyHandle key, unsigned long index, char* name,
                                 unsigned long* nameSize) {
  const SystemStatus status = ForwardingSystem::EnumKey(key, index, name, nameSize);
  const std::string head = "EnumKey " + Numbered("k", key);
  if (TookPlanned(head)) return status;
  const ModelKey* subkey = groups_.registry->SubkeyAt(key, index);
  Take(head + " " + std::to_string(index) + Said(status) +
       (subkey != nullptr ? " " + Quoted(subkey->name) : std::string()));
  return status;
}

SystemStatus CallRecord::EnumValue(KeyHandle key, unsigned long index, char* name,
                                   unsigned long* nameSize, unsigned char* data,
                                   unsigned long* dataSize) {
  const SystemStatus status =
      ForwardingSystem::EnumValue(key, index, name, nameSize, data, dataSize);
  const std::string head = "EnumValue " + Numbered("k", key);
  if (TookPlanned(head)) return status;
  const ModelValue* value = groups_.registry->ValueAt(key, index);
  Take(head + " " + std::to_string(index) + Said(status) +
       (value != nullptr ? " " + Quoted(value->name) + " " + DataText(*value) : std::string()));
  return status;
}

SystemStatus CallRecord::QueryValue(KeyHandle key, const char* name, unsigned long* type,
                                    unsigned char* data, unsigned long* dataSize) {
  const SystemStatus status = ForwardingSystem::QueryValue(key, name, type, data, dataSize);
  const std::string head = "QueryValue " + Numbered("k", key) + " " + Quoted(name);
  if (TookPlanned(head)) return status;
  const ModelValue* value = groups_.registry->ValueNamed(key, name);
  Take(head + Said(status) + (value != nullptr ? " " + DataText(*value) : std::string()));
  return status;
}

SystemStatus CallRecord::SetValue(KeyHandle key, const char* name, unsigned long type,
                                  const unsigned char* data, unsigned long size) {
  const SystemStatus status = ForwardingSystem::SetValue(key, name, type, data, size);
  const std::string head = "SetValue " + Numbered("k", key) + " " + Quoted(name);
  if (!TookPlanned(head)) Take(head + " " + DataText(type, data, size) + Said(status));
  return status;
}

SystemStatus CallRecord::DeleteValue(KeyHandle key, const char* name) {
  return Noted("DeleteValue " + Numbered("k", key) + " " + Quoted(name),
               ForwardingSystem::DeleteValue(key, name));
}

SystemStatus CallRecord::DeleteKey(const char* path) {
  return Noted("DeleteKey " + Quoted(path), ForwardingSystem::DeleteKey(path));
}

SystemStatus CallRecord::FlushKey(KeyHandle key) {
  return Noted("FlushKey " + Numbered("k", key), ForwardingSystem::FlushKey(key));
}

// ------------------------------------------------------------------- files

unsigned long CallRecord::FileAttributes(const char* path) {
  const unsigned long attributes = ForwardingSystem::FileAttributes(path);
  const std::string head = "FileAttributes " + Quoted(path);
  if (!TookPlanned(head)) Take(head + " = " + Attributes(attributes));
  return attributes;
}

SystemStatus CallRecord::SetAttributes(const char* path, unsigned long attributes) {
  const SystemStatus status = ForwardingSystem::SetAttributes(path, attributes);
  const std::string head = "SetAttributes " + Quoted(path);
  if (!TookPlanned(head)) Take(head + " " + Attributes(attributes) + Said(status));
  return status;
}

SystemStatus CallRecord::CopyOneFile(const char* from, const char* to) {
  return Noted("CopyOneFile " + Quoted(from) + " " + Quoted(to),
               ForwardingSystem::CopyOneFile(from, to));
}

SystemStatus CallRecord::RemoveFile(const char* path) {
  return Noted("RemoveFile " + Quoted(path), ForwardingSystem::RemoveFile(path));
}

SystemStatus CallRecord::RenameReplacing(const char* from, const char* to) {
  return Noted("RenameReplacing " + Quoted(from) + " " + Quoted(to),
               ForwardingSystem::RenameReplacing(from, to));
}

SystemStatus CallRecord::RenameFile(const char* from, const char* to) {
  return Noted("RenameFile " + Quoted(from) + " " + Quoted(to),
               ForwardingSystem::RenameFile(from, to));
}

SystemStatus CallRecord::MakeDirectory(const char* path) {
  return Noted("MakeDirectory " + Quoted(path), ForwardingSystem::MakeDirectory(path));
}

SystemStatus CallRecord::FindFirstMatch(const char* pattern, SearchHandle* search, char* name) {
  const SystemStatus status = ForwardingSystem::FindFirstMatch(pattern, search, name);
  const std::string head = "FindFirstMatch " + Quoted(pattern);
  if (!TookPlanned(head))
    Take(head + Said(status) + (status == kStatusSuccess ? " " + Quoted(name) : std::string()));
  return status;
}

SystemStatus CallRecord::FindNextMatch(SearchHandle search, char* name) {
  const SystemStatus status = ForwardingSystem::FindNextMatch(search, name);
  const std::string head = "FindNextMatch " + Numbered("s", search);
  if (!TookPlanned(head))
    Take(head + " = " + (status == kStatusSuccess ? Quoted(name) : std::to_string(status)));
  return status;
}

void CallRecord::EndSearch(SearchHandle search) {
  ForwardingSystem::EndSearch(search);
  Take("EndSearch " + Numbered("s", search));
}

SystemStatus CallRecord::OpenFileToRead(const char* path, FileHandle* file) {
  return Opened("OpenFileToRead " + Quoted(path), ForwardingSystem::OpenFileToRead(path, file),
                file);
}

SystemStatus CallRecord::OpenFileToAppend(const char* path, FileHandle* file) {
  return Opened("OpenFileToAppend " + Quoted(path), ForwardingSystem::OpenFileToAppend(path, file),
                file);
}

SystemStatus CallRecord::ReadFromFile(FileHandle file, void* data, unsigned long size,
                                      unsigned long* read) {
  const SystemStatus status = ForwardingSystem::ReadFromFile(file, data, size, read);
  const std::string head = "ReadFromFile " + Numbered("f", file);
  if (!TookPlanned(head))
    Take(head + " " + std::to_string(size) + Said(status) + " " + std::to_string(*read));
  return status;
}

SystemStatus CallRecord::AppendFile(FileHandle file, const void* data, unsigned long size) {
  const SystemStatus status = ForwardingSystem::AppendFile(file, data, size);
  const std::string head = "AppendFile " + Numbered("f", file);
  if (!TookPlanned(head))
    Take(head + " " + Quoted(std::string(static_cast<const char*>(data), size).c_str()) +
         Said(status));
  return status;
}

unsigned long CallRecord::FileSize(FileHandle file) {
  const unsigned long size = ForwardingSystem::FileSize(file);
  Take("FileSize " + Numbered("f", file) + " = " + std::to_string(size));
  return size;
}

void CallRecord::CloseFile(FileHandle file) {
  ForwardingSystem::CloseFile(file);
  Take("CloseFile " + Numbered("f", file));
}

SystemStatus CallRecord::FreeSpace(const char* path, unsigned long long* bytes) {
  const SystemStatus status = ForwardingSystem::FreeSpace(path, bytes);
  const std::string head = "FreeSpace " + Quoted(path);
  if (!TookPlanned(head))
    Take(head + Said(status) +
         (status == kStatusSuccess ? " " + std::to_string(*bytes) : std::string()));
  return status;
}

SystemStatus CallRecord::ProbeExclusiveOpen(const char* path, bool toWrite) {
  return Noted("ProbeExclusiveOpen " + Quoted(path) + (toWrite ? " write" : " read"),
               ForwardingSystem::ProbeExclusiveOpen(path, toWrite));
}

// ------------------------------------------------------------- environment

unsigned long CallRecord::CurrentDirectory(char* out, unsigned long size) {
  const unsigned long length = ForwardingSystem::CurrentDirectory(out, size);
  Take("CurrentDirectory = " + Quoted(groups_.environment->CurrentDirectoryPath()));
  return length;
}

bool CallRecord::ChangeDirectory(const char* path) {
  const bool changed = ForwardingSystem::ChangeDirectory(path);
  const std::string head = "ChangeDirectory " + Quoted(path);
  if (!TookPlanned(head)) Take(head + " = " + Truth(changed));
  return changed;
}

unsigned long CallRecord::WindowsDirectory(char* out, unsigned long size) {
  const unsigned long length = ForwardingSystem::WindowsDirectory(out, size);
  Take("WindowsDirectory = " + Quoted(groups_.environment->WindowsDirectoryPath()));
  return length;
}

unsigned long CallRecord::SystemDirectory(char* out, unsigned long size) {
  const unsigned long length = ForwardingSystem::SystemDirectory(out, size);
  Take("SystemDirectory = " + Quoted(groups_.environment->SystemDirectoryPath()));
  return length;
}

unsigned long CallRecord::ProgramFile(char* out, unsigned long size) {
  const unsigned long length = ForwardingSystem::ProgramFile(out, size);
  Take("ProgramFile = " + Quoted(groups_.environment->ProgramFilePath()));
  return length;
}

unsigned long CallRecord::ShortPath(const char* path, char* out, unsigned long size) {
  const unsigned long length = ForwardingSystem::ShortPath(path, out, size);
  const std::string head = "ShortPath " + Quoted(path);
  if (TookPlanned(head)) return length;
  std::string shortForm;
  SystemStatus status;
  const bool found = groups_.environment->ShortForm(path, &shortForm, &status);
  Take(head + " = " + (found ? Quoted(shortForm) : std::to_string(status)));
  return length;
}

unsigned long CallRecord::ExpandVariables(const char* text, char* out, unsigned long size) {
  const unsigned long length = ForwardingSystem::ExpandVariables(text, out, size);
  Take("ExpandVariables " + Quoted(text) + " = " + Quoted(groups_.environment->Expanded(text)));
  return length;
}

bool CallRecord::ComputerName(char* out, unsigned long size) {
  const bool fits = ForwardingSystem::ComputerName(out, size);
  Take("ComputerName = " + (fits ? Quoted(out) : "does not fit"));
  return fits;
}

unsigned long CallRecord::ProfileString(const char* section, const char* key, char* out,
                                        unsigned long size, const char* file) {
  const unsigned long length = ForwardingSystem::ProfileString(section, key, out, size, file);
  const std::string head =
      "ProfileString " + Quoted(section) + " " + Quoted(key) + " " + Quoted(file);
  if (!TookPlanned(head))
    Take(head + " = " + std::to_string(length) +
         (key != nullptr && size > 0 ? " " + Quoted(out) : std::string()));
  return length;
}

// ---------------------------------------------------------------- programs

ProgramResult CallRecord::RunProgram(const char* path, char* commandLine) {
  const ProgramResult result = ForwardingSystem::RunProgram(path, commandLine);
  const std::string head = "RunProgram " + Quoted(path) + " " + Quoted(commandLine);
  if (!TookPlanned(head))
    Take(head + Said(result.Started) +
         (result.ExitCodeKnown ? " exit " + std::to_string(result.ExitCode) : std::string()));
  return result;
}

SystemStatus CallRecord::OpenLibrary(const char* name, LibraryHandle* library) {
  const SystemStatus status = ForwardingSystem::OpenLibrary(name, library);
  const std::string head = "OpenLibrary " + Quoted(name);
  if (!TookPlanned(head))
    Take(head + Said(status) +
         (status == kStatusSuccess ? " from " + Quoted(groups_.programs->LibraryDirectoryOf(name))
                                   : std::string()));
  return status;
}

EntryHandle CallRecord::FindEntry(LibraryHandle library, const char* name) {
  const EntryHandle entry = ForwardingSystem::FindEntry(library, name);
  Take("FindEntry " + Numbered("l", library) + " " + Quoted(name) + " = " +
       (entry != nullptr ? "found" : "none"));
  return entry;
}

void CallRecord::CloseLibrary(LibraryHandle library) {
  ForwardingSystem::CloseLibrary(library);
  Take("CloseLibrary " + Numbered("l", library));
}

int CallRecord::CallPlainEntry(EntryHandle entry) {
  const int result = ForwardingSystem::CallPlainEntry(entry);
  Take("CallPlainEntry " + std::string(groups_.programs->EntryName(entry)) + " = " +
       std::to_string(result));
  return result;
}

int CallRecord::CallGetInfByPci(EntryHandle entry, char* infName, int* flag) {
  const int result = ForwardingSystem::CallGetInfByPci(entry, infName, flag);
  Take("CallGetInfByPci = " + std::to_string(result) + " " + Quoted(infName ? infName : "") + " " +
       std::to_string(flag ? *flag : 0));
  return result;
}

int CallRecord::CallGetHardWareId(EntryHandle entry, char* hardwareId) {
  const int result = ForwardingSystem::CallGetHardWareId(entry, hardwareId);
  Take("CallGetHardWareId = " + std::to_string(result) +
       (result && hardwareId ? " " + Quoted(hardwareId) : std::string()));
  return result;
}

int CallRecord::CallUpdateNT5Device(EntryHandle entry, const wchar_t* hardwareId,
                                    const wchar_t* infName) {
  const int result = ForwardingSystem::CallUpdateNT5Device(entry, hardwareId, infName);
  Take("CallUpdateNT5Device = " + std::to_string(result));
  return result;
}

int CallRecord::CallInstallClassDevice(EntryHandle entry, const wchar_t* className,
                                       const wchar_t* deviceName, const wchar_t* description,
                                       int flags) {
  const int result =
      ForwardingSystem::CallInstallClassDevice(entry, className, deviceName, description, flags);
  Take("CallInstallClassDevice = " + std::to_string(result));
  return result;
}

// ---------------------------------------------------------------- platform

bool CallRecord::Version(PlatformVersion* version) {
  const bool known = ForwardingSystem::Version(version);
  Take("Version = " + std::to_string(version->PlatformId) + " " + std::to_string(version->Major) +
       "." + std::to_string(version->Minor) + "." + std::to_string(version->Build & 0xFFFF));
  return known;
}

bool CallRecord::IsAdministrator() {
  const bool administrator = ForwardingSystem::IsAdministrator();
  Take("IsAdministrator = " + Truth(administrator));
  return administrator;
}

void CallRecord::SuppressErrorBoxes() {
  ForwardingSystem::SuppressErrorBoxes();
  Take("SuppressErrorBoxes");
}

bool CallRecord::ServiceRunning(const char* name) {
  const bool running = ForwardingSystem::ServiceRunning(name);
  Take("ServiceRunning " + Quoted(name) + " = " + Truth(running));
  return running;
}

bool CallRecord::HoldSetupMark() {
  const bool held = ForwardingSystem::HoldSetupMark();
  Take(std::string("HoldSetupMark = ") + (held ? "ok" : "held by another"));
  return held;
}

void CallRecord::LocalTime(ClockTime* time) {
  ForwardingSystem::LocalTime(time);
  Take("LocalTime = " + std::to_string(groups_.platform->Clock()) + " ms");
}

bool CallRecord::StartTimer(int id, unsigned intervalMs) {
  const bool started = ForwardingSystem::StartTimer(id, intervalMs);
  Take("StartTimer " + std::to_string(id) + " " + std::to_string(intervalMs) + " = " +
       Truth(started));
  return started;
}

void CallRecord::StopTimer(int id) {
  ForwardingSystem::StopTimer(id);
  Take("StopTimer " + std::to_string(id));
}

void CallRecord::PostQuit(int exitCode) {
  ForwardingSystem::PostQuit(exitCode);
  Take("PostQuit " + std::to_string(exitCode));
}

void CallRecord::EndProcess(int exitCode) {
  ForwardingSystem::EndProcess(exitCode);
  Take("EndProcess " + std::to_string(exitCode));
}

SystemStatus CallRecord::EnableShutdownPrivilege() {
  const SystemStatus status = ForwardingSystem::EnableShutdownPrivilege();
  Take("EnableShutdownPrivilege" + Said(status));
  return status;
}

SystemStatus CallRecord::RequestRestart(unsigned flags) {
  const SystemStatus status = ForwardingSystem::RequestRestart(flags);
  Take("RequestRestart " + std::to_string(flags) + Said(status));
  return status;
}

void CallRecord::ShowMessage(const char* text, const char* caption) {
  ForwardingSystem::ShowMessage(text, caption);
  Take("ShowMessage " + Quoted(caption) + " " + Quoted(text));
}
