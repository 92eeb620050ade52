// The setup libraries' stand-ins (standins/) and their device program,
// followed call for call on the simulated machine: the same configuration
// keys read from qvstandin.ini beside them, afresh at each call; the same
// call-log lines (formed by their own text rules), appended to the file
// that [CallLog] Path names; the same registry records. Their Sleep is the
// clock passing; their helper programs are work that comes due later on
// the clock: the modem's class record and the driver service's run.
//
// What they reach of the process: the machine's registry, drive and
// services, the clock, the caller's error mode, and the open keys, which
// their deletions reach.
#ifndef SIMULATOR_SIMULATED_STANDINS_H
#define SIMULATOR_SIMULATED_STANDINS_H

#include <string>
#include <vector>

#include "simulated_process.h"

class SimulatedStandins {
 public:
  explicit SimulatedStandins(SimulatedProcess* process);

  // qvsetup3.exe of `directory`: "remove" deletes this driver's modem
  // instances, "refresh" starts the record writer. Its exit code.
  unsigned long RunDeviceProgram(const std::string& directory, const char* commandLine);

  // The entries of the libraries that lie in `directory`, each as its
  // stand-in; an entry without arguments by its name.
  int PlainEntry(const std::string& directory, const char* name);
  int GetInfByPci(const std::string& directory, char* infName, int* flag);
  int GetHardWareId(const std::string& directory, char* hardwareId);
  int UpdateNT5Device(const std::string& directory, const wchar_t* hardwareId,
                      const wchar_t* infName);
  int InstallClassDevice(const std::string& directory, const wchar_t* className,
                         const wchar_t* deviceName, const wchar_t* description, int flags);

  // The clock passes: the work due on the way is done at its time.
  void Pass(unsigned long milliseconds);
  // When the next work comes due; false when none waits.
  bool NextWork(long long* at) const;
  // The call log as they wrote it, line by line.
  const std::vector<std::string>& Calls() const { return calls_; }

 private:
  enum BackgroundWork { kWriteClassRecord, kServiceRuns, kServiceStops };
  struct DueWork {
    long long at;  // ms of the clock
    BackgroundWork work;
    unsigned long delay;
    unsigned long life;
    unsigned long errorMode;  // of the process that does it, for the call log
    std::string directory;    // of the stand-in that started it
  };

  int Number(const std::string& directory, const char* section, const char* key, int fallback);
  std::string Text(const std::string& directory, const char* section, const char* key,
                   const char* fallback, size_t size);
  void WriteLine(const std::string& directory, const char* line, unsigned long errorMode);
  void AddSourcePathNote(char* line, size_t lineSize);
  int RemoveModemInstances(const char* classPath);
  bool AddModemInstance(const char* classPath, const char* description, char* instance);
  int StartRecordWriter(const std::string& directory, unsigned long delay);
  bool WriteServiceRecord(const std::string& command);
  bool StartModemService(const std::string& directory, unsigned long delay, unsigned long life);
  // The entry's configured Result, once its Delay has passed.
  int AfterDelay(const std::string& directory, const char* name);
  int Refresh(const std::string& directory);
  void DoWork(const DueWork& work);

  SimulatedProcess* process_;
  Machine* machine_;
  std::vector<DueWork> dueWork_;
  std::vector<std::string> calls_;
};

#endif
