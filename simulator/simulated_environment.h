// The environment of the process on the simulated Windows: the machine's
// directories, its variables and name, the 8.3 forms of its drive's paths,
// and the profile reader, which is qvlint's model of the system's
// (profile.h).
#ifndef SIMULATOR_SIMULATED_ENVIRONMENT_H
#define SIMULATOR_SIMULATED_ENVIRONMENT_H

#include <string>

#include "base/system.h"
#include "simulated_process.h"

// The family's command interpreter, as ComSpec names it.
std::string CommandInterpreterPath(const Machine& machine);

class SimulatedEnvironment : public EnvironmentCalls {
 public:
  explicit SimulatedEnvironment(SimulatedProcess* process);

  SYSTEM_ENVIRONMENT_CALLS(override)

  // The answers whole, whether they fit a buffer or not.
  const std::string& CurrentDirectoryPath() const;
  const std::string& WindowsDirectoryPath() const;
  const std::string& SystemDirectoryPath() const;
  std::string ProgramFilePath() const;
  // As ExpandEnvironmentStrings: a variable that the environment lacks
  // stays as written.
  std::string Expanded(const char* text) const;
  // The 8.3 form of the path of a file or directory; false with the status
  // when the path names none.
  bool ShortForm(const char* path, std::string* shortForm, SystemStatus* status) const;

 private:
  Machine* machine_;
};

#endif
