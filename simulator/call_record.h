// The record of the calls of a run on the simulated Windows: every call of
// the seam in order, one line each: the call, its arguments and its result,
// with what it found where the result does not tell it (a key's handle and
// whether the call created the key, the name and data that an enumeration
// reached, the directory a library was found in). A call that the plan
// below the record answered in place of Windows is recorded by its name and
// the arguments that tell which it was: "= <status> planned".
#ifndef SIMULATOR_CALL_RECORD_H
#define SIMULATOR_CALL_RECORD_H

#include <string>
#include <vector>

#include "forwarding_system.h"
#include "simulated_environment.h"
#include "simulated_platform.h"
#include "simulated_programs.h"
#include "simulated_registry.h"

// What lies between the record and Windows and may answer a call itself.
class CallPlan {
 public:
  virtual ~CallPlan() {}
  // Whether the plan answered the call just made, and with which status.
  virtual bool AnsweredAsPlanned(SystemStatus* status) const = 0;
  // The record took the line of its `count`th call.
  virtual void Recorded(size_t count) = 0;
};

// The groups of the simulated Windows that the record asks what a call
// found.
struct RecordedGroups {
  const SimulatedRegistry* registry;
  const SimulatedEnvironment* environment;
  const SimulatedPrograms* programs;
  const SimulatedPlatform* platform;
};

class CallRecord : public ForwardingSystem {
 public:
  // The calls go on to `windows`, the plan over the groups.
  CallRecord(System* windows, CallPlan* plan, const RecordedGroups& groups);

  const std::vector<std::string>& Lines() const { return lines_; }

  SystemStatus OpenKey(const char* path, KeyAccess access, KeyHandle* key) override;
  SystemStatus CreateKey(const char* path, KeyHandle* key) override;
  void CloseKey(KeyHandle key) override;
  SystemStatus EnumKey(KeyHandle key, unsigned long index, char* name,
                       unsigned long* nameSize) override;
  SystemStatus EnumValue(KeyHandle key, unsigned long index, char* name, unsigned long* nameSize,
                         unsigned char* data, unsigned long* dataSize) override;
  SystemStatus QueryValue(KeyHandle key, const char* name, unsigned long* type, unsigned char* data,
                          unsigned long* dataSize) override;
  SystemStatus SetValue(KeyHandle key, const char* name, unsigned long type,
                        const unsigned char* data, unsigned long size) override;
  SystemStatus DeleteValue(KeyHandle key, const char* name) override;
  SystemStatus DeleteKey(const char* path) override;
  SystemStatus FlushKey(KeyHandle key) override;

  unsigned long FileAttributes(const char* path) override;
  SystemStatus SetAttributes(const char* path, unsigned long attributes) override;
  SystemStatus CopyOneFile(const char* from, const char* to) override;
  SystemStatus RemoveFile(const char* path) override;
  SystemStatus RenameReplacing(const char* from, const char* to) override;
  SystemStatus RenameFile(const char* from, const char* to) override;
  SystemStatus MakeDirectory(const char* path) override;
  SystemStatus FindFirstMatch(const char* pattern, SearchHandle* search, char* name) override;
  SystemStatus FindNextMatch(SearchHandle search, char* name) override;
  void EndSearch(SearchHandle search) override;
  SystemStatus OpenFileToRead(const char* path, FileHandle* file) override;
  SystemStatus OpenFileToAppend(const char* path, FileHandle* file) override;
  SystemStatus ReadFromFile(FileHandle file, void* data, unsigned long size,
                            unsigned long* read) override;
  SystemStatus AppendFile(FileHandle file, const void* data, unsigned long size) override;
  unsigned long FileSize(FileHandle file) override;
  void CloseFile(FileHandle file) override;

  unsigned long CurrentDirectory(char* out, unsigned long size) override;
  bool ChangeDirectory(const char* path) override;
  unsigned long WindowsDirectory(char* out, unsigned long size) override;
  unsigned long SystemDirectory(char* out, unsigned long size) override;
  unsigned long ProgramFile(char* out, unsigned long size) override;
  unsigned long ShortPath(const char* path, char* out, unsigned long size) override;
  unsigned long ExpandVariables(const char* text, char* out, unsigned long size) override;
  bool ComputerName(char* out, unsigned long size) override;
  unsigned long ProfileString(const char* section, const char* key, char* out, unsigned long size,
                              const char* file) override;

  ProgramResult RunProgram(const char* path, char* commandLine) override;
  SystemStatus OpenLibrary(const char* name, LibraryHandle* library) override;
  EntryHandle FindEntry(LibraryHandle library, const char* name) override;
  void CloseLibrary(LibraryHandle library) override;
  int CallPlainEntry(EntryHandle entry) override;
  int CallGetInfByPci(EntryHandle entry, char* infName, int* flag) override;
  int CallGetHardWareId(EntryHandle entry, char* hardwareId) override;
  int CallUpdateNT5Device(EntryHandle entry, const wchar_t* hardwareId,
                          const wchar_t* infName) override;
  int CallInstallClassDevice(EntryHandle entry, const wchar_t* className, const wchar_t* deviceName,
                             const wchar_t* description, int flags) override;

  bool Version(PlatformVersion* version) override;
  bool IsAdministrator() override;
  void SuppressErrorBoxes() override;
  bool ServiceRunning(const char* name) override;
  bool HoldSetupMark() override;
  void LocalTime(ClockTime* time) override;
  bool StartTimer(int id, unsigned intervalMs) override;
  void StopTimer(int id) override;
  void PostQuit(int exitCode) override;
  void EndProcess(int exitCode) override;
  SystemStatus EnableShutdownPrivilege() override;
  SystemStatus RequestRestart(unsigned flags) override;
  void ShowMessage(const char* text, const char* caption) override;

 private:
  void Take(const std::string& line);
  // Takes the line of a call that the plan answered, by its head; false
  // when the plan let the call through.
  bool TookPlanned(const std::string& head);
  // Records a call whose line is its head and its status.
  SystemStatus Noted(const std::string& head, SystemStatus status);
  // The same for a call that opens a file, with its handle.
  SystemStatus Opened(const std::string& head, SystemStatus status, const FileHandle* file);

  CallPlan* plan_;
  RecordedGroups groups_;
  std::vector<std::string> lines_;
};

#endif
