// The seam between setup's run and the simulated Windows of a plan: every
// call passes on unchanged, and each one that changes or decides something
// is kept as a step of the plan, with its result on the simulated machine.
// A copy through the file beside its destination is one step; a copy or a
// program of a list entry carries the line of qvsetup.ini it comes from.
#ifndef QVLINT_PLAN_SEAM_H
#define QVLINT_PLAN_SEAM_H

#include <map>
#include <string>
#include <vector>

#include "base/system.h"
#include "machine.h"
#include "profile.h"

class SimulatedWindows;

enum PlanStepKind {
  kStepCopy,
  kStepDelete,
  kStepRename,
  kStepMakeDirectory,
  kStepRegistrySet,
  kStepRegistryDeleteValue,
  kStepRegistryDeleteKey,
  kStepCall,
  kStepRun,
  kStepWait,
  kStepEnd
};

// "copy", "registry-set", ...: the kind's name in the plan.
const char* StepKindName(PlanStepKind kind);

struct PlanStep {
  PlanStepKind kind;
  std::string text;    // what the step does
  std::string result;  // its result: "ok", "not found", "1", "exit code 0", ...
  bool failed;         // a copy that failed, a program that did not start or ended with non-zero
  // Per kind: copy and rename from and to; delete and mkdir path;
  // registry key, value and data (as REGEDIT4 writes it); call entry and
  // arguments; run path, command and directory; wait the completion
  // for what, and the completion timer's interval and limit in ms.
  std::string from, to, path, key, value, data, entry, arguments, command, directory, waitFor;
  unsigned interval, limit;
  long long waited;       // ms until the wait ended
  unsigned sourceLine;    // of the copy or launch list entry it comes from; 0: none
  unsigned sourceColumn;  // where the entry's value starts
  bool failsRun;          // a copy whose failure fails the run: its directory exists
};

class PlanSeam : public System {
 public:
  // `options` is the medium's qvsetup.ini, `mediumDir` where the machine
  // holds the medium.
  PlanSeam(SimulatedWindows* windows, Machine* machine, const Profile* options,
           const std::string& mediumDir);

  const std::vector<PlanStep>& Steps() const { return steps_; }
  // The medium's file or pattern whose check failed before the sequence
  // began; empty when none did.
  const std::string& MissingMediumFile() const { return missingMediumFile_; }
  // The number of steps made before the run's clean-up began.
  size_t StepsBeforeCleanup() const { return stepsBeforeCleanup_; }
  // Each wait with the clock (ms) at which it began and ended.
  struct WaitTimes {
    size_t step;
    int timer;
    long long began, ended;
  };
  const std::vector<WaitTimes>& Waits() const { return waits_; }

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
  unsigned long ExpandVariables(const char* text, char* out, unsigned long size) override;
  bool ComputerName(char* out, unsigned long size) override;
  unsigned long ShortPath(const char* path, char* out, unsigned long size) override;

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
  bool HoldSetupMark() override;
  bool ServiceRunning(const char* name) override;

  void LocalTime(ClockTime* time) override;
  bool StartTimer(int id, unsigned intervalMs) override;
  void StopTimer(int id) override;
  void PostQuit(int exitCode) override;
  void EndProcess(int exitCode) override;
  SystemStatus EnableShutdownPrivilege() override;
  SystemStatus RequestRestart(unsigned flags) override;
  void ShowMessage(const char* text, const char* caption) override;

 private:
  PlanStep& Add(PlanStepKind kind, const std::string& text, SystemStatus status);
  // A rename, or the end of a copy through the file beside its destination.
  SystemStatus Renamed(const char* from, const char* to, SystemStatus status);
  // The copy that a call on the file beside its destination belongs to
  // gets the call's failure; true when the call was such a part.
  bool PartOfCopy(const char* path, SystemStatus status);
  void NoteMediumCheck(const char* path, SystemStatus status);
  std::string KeyPath(KeyHandle key) const;
  int CallEntry(const char* name, const std::string& arguments, int result,
                const std::string& handedBack);

  SimulatedWindows* windows_;
  Machine* machine_;
  const Profile* options_;
  std::string mediumDir_;
  std::vector<PlanStep> steps_;
  std::map<const void*, std::string> keyPaths_;
  std::map<const void*, std::string> entryNames_;
  const ProfileKey* listEntry_;  // the list entry being carried out
  bool copyList_;                // of a copy list, else of a launch list
  size_t copying_;               // the copy step whose file beside it is in use; npos: none
  bool sequenceBegun_;
  std::string missingMediumFile_;
  bool startDirectoryLeft_;
  size_t stepsBeforeCleanup_;
  std::vector<WaitTimes> waits_;
};

#endif
