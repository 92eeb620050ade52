// The seam's services answered on a simulated machine: setup's run goes
// natively on it and changes the machine as it would change Windows.
//
// - The registry is the registry model of the machine's platform. Handles
//   name open keys; a key deleted under an open handle answers
//   ERROR_KEY_DELETED. Subkeys and values are enumerated in the order the
//   platform keeps them: on the test platform by their folded names, on
//   Windows in the order of creation (its documentation promises none).
// - Files are the machine's drive (file_system.h). A file that the run holds
//   open can be neither deleted nor replaced, as its sharing mode says.
// - The profile reader is qvlint's model of the system's (profile.h).
// - Programs: qvsmzad.exe runs qvsmzad's own walk of the country settings
//   file on the registry; qvsetup3.exe does what the stand-in does; every
//   other program ends with exit code 0 unless the machine scripts it.
// - The setup libraries are those of the stand-ins (standins/), present
//   where a file of their name lies, scripted by qvstandin.ini beside them.
//   Their delays pass on the clock; what they leave to the background (the
//   modem's class record, the driver service) happens at its time.
// - The clock starts at the machine's start time and moves only when a
//   delay passes or the run's driver moves it to the next timer tick or
//   delayed effect.
//
// Every call is recorded in order as one line: the call, its arguments and
// its result.
//
// A fault plan makes one call of the run fail, or ends the process right
// after one call (a reset, a killed setup): the call throws ProcessCut into
// the run's driver, and the machine keeps what the calls up to it did.
#ifndef SIMULATOR_SIMULATED_WINDOWS_H
#define SIMULATOR_SIMULATED_WINDOWS_H

#include <string>
#include <vector>

#include "base/system.h"
#include "machine.h"

// The Win32 error codes of the simulated calls beyond those of the seam.
const SystemStatus kStatusInvalidParameter = 87;
const SystemStatus kStatusBadPathname = 161;
const SystemStatus kStatusBadExeFormat = 193;
const SystemStatus kStatusKeyDeleted = 1018;

// What the setup libraries' stand-ins did in the background, due at a time.
enum BackgroundWork { kWriteClassRecord, kServiceRuns, kServiceStops };

struct DueWork {
  long long at;  // ms of the clock
  BackgroundWork work;
  unsigned long delay;
  unsigned long life;
  unsigned long errorMode;  // of the process that does it, for the call log
  std::string directory;    // of the stand-in that started it
};

// The subkeys and the values of a key in the order that the platform
// enumerates them.
std::vector<const ModelKey*> SubkeysInOrder(const RegistryModel& registry, const ModelKey& key);
std::vector<const ModelValue*> ValuesInOrder(const RegistryModel& registry, const ModelKey& key);

// Calls are counted from 1 in the order of the call log; 0 plans nothing.
// The failing call has no effect and answers `failStatus` (as its kind of
// answer can tell it: a missing file's attributes, false, 0, a program
// that did not start), except a copy that fails with ERROR_DISK_FULL: it
// leaves the first half of the file in its destination, as a copy that
// runs out of room part-way does.
struct FaultPlan {
  size_t failCall;
  SystemStatus failStatus;
  size_t cutAfter;
};

// Thrown by the call after which the plan ends the process.
struct ProcessCut {};

struct RunningTimer {
  int id;
  unsigned interval;
  long long due;
};

class SimulatedWindows : public System {
 public:
  explicit SimulatedWindows(Machine* machine, const FaultPlan& plan = FaultPlan());
  // The process ends: the handles of its files close with it.
  ~SimulatedWindows() override;

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

  // The run's driver: the next moment at which a timer ticks or background
  // work is due (false when there is none), and the move of the clock to
  // it, which does the work due by then and returns the id of the timer
  // that ticks then (0 for none).
  bool NextEvent(long long* at) const;
  int AdvanceTo(long long at);

  long long Clock() const { return clock_; }
  bool QuitPosted() const { return quitPosted_; }
  int ExitCode() const { return exitCode_; }
  const std::vector<std::string>& Calls() const { return calls_; }
  // Each program started: its path and arguments, in order.
  const std::vector<std::string>& Programs() const { return programs_; }
  // The stand-ins' call log as they wrote it, line by line.
  const std::vector<std::string>& StandinCalls() const { return standinCalls_; }

 private:
  // A file renamed, replacing a file of the new name or not.
  SystemStatus Move(const char* from, const char* to, bool replacing);
  struct OpenKeyRecord {
    ModelKey* key;  // nullptr once deleted
    bool writable;
    bool open;
  };
  struct OpenFileRecord {
    SimulatedFile* file;
    size_t position;
    bool open;
  };
  struct SearchRecord {
    std::vector<std::string> names;
    size_t next;
    bool open;
  };
  struct LoadedLibrary {
    int number;  // 1 or 2
    std::string directory;
    unsigned loads;
  };

  void Record(const std::string& line);
  // Whether the plan fails the call about to be made; its status then.
  bool PlannedFailure(SystemStatus* status) const;
  // Records the planned failure of the call and answers its status.
  SystemStatus RecordFailure(const std::string& call, SystemStatus status);
  ModelKey* KeyOf(KeyHandle key, bool writing, SystemStatus* status);
  void ForgetDeletedKeys();
  SimulatedFile* FileAt(const char* path, SystemStatus* status);
  bool RunCanReplace(const SimulatedFile& file, SystemStatus* status) const;
  std::string DiskFileText(const std::string& path, bool* found);
  unsigned long AnswerPath(const std::string& path, char* out, unsigned long size) const;

  // Programs, the setup libraries' stand-ins and their background work
  // (simulated_programs.cpp). `directory` is the stand-in's own, which
  // holds qvstandin.ini.
  unsigned long RunCountryProgram(const char* commandLine);
  unsigned long RunDeviceProgram(const std::string& directory, const char* commandLine);
  int StandinNumber(const std::string& directory, const char* section, const char* key,
                    int fallback);
  std::string StandinText(const std::string& directory, const char* section, const char* key,
                          const char* fallback, size_t size);
  void Pass(unsigned long milliseconds);
  void WriteStandinLine(const std::string& directory, const char* line, unsigned long errorMode);
  void AddSourcePathNote(char* line, size_t lineSize);
  int RemoveModemInstances(const char* classPath);
  bool AddModemInstance(const char* classPath, const char* description, char* instance);
  int StartRecordWriter(const std::string& directory, unsigned long delay);
  bool StartModemService(const std::string& directory, unsigned long delay, unsigned long life);
  void DoWork(const DueWork& work);
  int PlainEntry(const std::string& directory, int entry);
  std::string EntryDirectory(EntryHandle entry) const;

  Machine* machine_;
  FaultPlan plan_;
  long long clock_;
  bool quitPosted_;
  int exitCode_;
  unsigned long errorMode_;
  std::vector<std::string> calls_;
  std::vector<std::string> programs_;
  std::vector<std::string> standinCalls_;
  std::vector<OpenKeyRecord> keys_;
  std::vector<OpenFileRecord> files_;
  std::vector<SearchRecord> searches_;
  std::vector<LoadedLibrary> libraries_;
  std::vector<RunningTimer> timers_;
  std::vector<DueWork> dueWork_;
};

#endif
