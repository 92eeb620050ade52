// The registry of the simulated Windows: the registry model of the
// machine's platform. Handles name open keys; a key deleted under an open
// handle answers ERROR_KEY_DELETED. Subkeys and values are enumerated in the
// order the platform keeps them: on the test platform by their folded
// names, on Windows in the order of creation (its documentation promises
// none).
#ifndef SIMULATOR_SIMULATED_REGISTRY_H
#define SIMULATOR_SIMULATED_REGISTRY_H

#include <vector>

#include "base/system.h"
#include "simulated_process.h"

// The subkeys and the values of a key in the order that the platform
// enumerates them.
std::vector<const ModelKey*> SubkeysInOrder(const RegistryModel& registry, const ModelKey& key);
std::vector<const ModelValue*> ValuesInOrder(const RegistryModel& registry, const ModelKey& key);

class SimulatedRegistry : public RegistryCalls {
 public:
  explicit SimulatedRegistry(SimulatedProcess* process);

  SYSTEM_REGISTRY_CALLS(override)

  // What the calls found, for their record: whether the call that opened
  // the key created it; the subkey and the value that an enumeration of an
  // open key reaches at the index, and the value of the name (nullptr for
  // none).
  bool KeyCreated(KeyHandle key) const;
  const ModelKey* SubkeyAt(KeyHandle key, unsigned long index) const;
  const ModelValue* ValueAt(KeyHandle key, unsigned long index) const;
  const ModelValue* ValueNamed(KeyHandle key, const char* name) const;

 private:
  ModelKey* KeyOf(KeyHandle key, bool writing, SystemStatus* status) const;
  // The key of an open handle that may be read; nullptr for none.
  ModelKey* ReadableKey(KeyHandle key) const;

  SimulatedProcess* process_;
};

#endif
