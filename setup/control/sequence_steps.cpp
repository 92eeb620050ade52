#include "sequence_steps.h"

#include "../registry/key_lists.h"
#include "options.h"

void Checkpoint(const char* label) { DebugMessage(nullptr, "xy", label, 0); }

void RemoveMonitorRunEntry() {
  DeleteRegistryValue("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "QVSMMSG");
}
