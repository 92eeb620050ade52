// The setup libraries' stand-ins (standins/) and their device program on
// the simulated machine: the stand-ins' own behaviour (standin_entries),
// run on this world. Their configuration is qvstandin.ini beside them,
// read afresh at each call through the profile reader's model; their call
// log is the file that [CallLog] Path names on the drive; their Sleep is
// the clock passing; their helper programs are work that comes due later
// on the clock: the modem's class record and the driver service's run.
//
// Their registry calls go to the machine's registry with handles of their
// own, not the run's: only what they delete reaches the run's open keys.
#ifndef SIMULATOR_SIMULATED_STANDINS_H
#define SIMULATOR_SIMULATED_STANDINS_H

#include <string>
#include <vector>

#include "simulated_process.h"
#include "simulated_registry.h"
#include "standin_world.h"

class SimulatedStandins : public StandinWorld {
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

  // The world of the stand-in that acts (the one in the directory of the
  // call, called by a process of its error mode). Pass: the clock passes,
  // the work due on the way is done at its time.
  STANDIN_WORLD_CALLS(override)

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

  // Makes the stand-in of `directory` the one that acts, for a call of the
  // run; the deletions of its registry calls reach the run's open keys.
  void Acting(const std::string& directory, unsigned long errorMode);
  bool WriteServiceRecord(const std::string& command);
  void DoWork(const DueWork& work);

  SimulatedProcess* process_;
  Machine* machine_;
  SimulatedProcess own_;  // the stand-ins' open keys
  SimulatedRegistry registry_;
  std::string directory_;
  unsigned long errorMode_;
  std::vector<DueWork> dueWork_;
  std::vector<std::string> calls_;
};

#endif
