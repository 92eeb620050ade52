// The call log of the stand-ins: one line per call, appended to the file
// that [CallLog] Path names; several processes may append to it.
#ifndef STANDINS_CALL_LOG_H
#define STANDINS_CALL_LOG_H
#include <stddef.h>

// Bytes of one line of the call log, terminator included.
const size_t kCallLineSize = 1200;

void AppendCallLog(const char* text);

// Adds the SourcePath value that Windows setup reads, through which the real
// libraries find installation files: SourcePath="..." or SourcePath=none.
void AddSourcePathNote(char* line, size_t lineSize);

#endif
