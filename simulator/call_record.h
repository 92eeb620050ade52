// The record of the calls of a run on the simulated Windows: every call of
// the seam in order, one line each: the call, its arguments and its result,
// with what it found where the result does not tell it (a key's handle and
// whether the call created the key, the name and data that an enumeration
// reached, the free bytes of a drive, the directory a library was found
// in). A call that the plan below the record answered in place of Windows
// is recorded by its name and the arguments that tell which it was:
// "= <status> planned".
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

  SYSTEM_CALLS(override)

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
