// What every entry of the stand-in libraries does around its own effect:
// read its configuration, wait its delay, and log the call.
#ifndef STANDINS_ENTRY_CALL_H
#define STANDINS_ENTRY_CALL_H
#include <stddef.h>

#include "standin_config.h"

// Reads the entry's configuration and waits its delay.
EntryConfig BeginEntry(const char* entry);

// An entry with nothing to do but answer: waits, logs "Entry() = result".
int ReportOnlyEntry(const char* entry);

#endif
