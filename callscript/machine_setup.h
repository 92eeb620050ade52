// The setting-up steps of a script on a simulated machine, made on its model
// (model/file_system.h): files put on its drive, a file held by another
// program.
#ifndef CALLSCRIPT_MACHINE_SETUP_H
#define CALLSCRIPT_MACHINE_SETUP_H

#include <string>
#include <vector>

#include "machine.h"
#include "script_runner.h"

class MachineSetup : public ScriptSetup {
 public:
  explicit MachineSetup(Machine* machine) : machine_(machine) {}

  SystemStatus PutFile(const char* path, const char* bytes, unsigned long size) override;
  SystemStatus HoldFile(const char* path) override;
  void ReleaseHolds() override;

 private:
  Machine* machine_;
  std::vector<std::vector<std::string>> held_;  // the names of each held file
};

#endif
