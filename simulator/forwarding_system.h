// A System that hands each call of the seam on to the group of calls that
// answers it: the one list of the seam's calls that only pass them on. The
// simulated Windows is its groups behind one; the call record and the fault
// plan are ones that do their part on the way, in the calls they override.
#ifndef SIMULATOR_FORWARDING_SYSTEM_H
#define SIMULATOR_FORWARDING_SYSTEM_H

#include "base/system.h"

// The groups that answer the calls.
struct SeamGroups {
  RegistryCalls* registry;
  FileCalls* files;
  EnvironmentCalls* environment;
  ProgramCalls* programs;
  PlatformCalls* platform;
};

class ForwardingSystem : public System {
 public:
  explicit ForwardingSystem(const SeamGroups& groups);
  // Every call to one System.
  explicit ForwardingSystem(System* system);

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
  SeamGroups groups_;
};

#endif
