// A call's answer as a script's output line: "METHOD -> RESULT OUT...", the
// outputs in signature order, each buffer quoted and cut to what the call
// reports of it.
#ifndef CALLSCRIPT_CALL_OUTPUT_H
#define CALLSCRIPT_CALL_OUTPUT_H

#include <stddef.h>

#include <string>

#include "call_table.h"

// The bytes in double quotes: \r \n \t \" \\ by name, the other bytes below
// 0x20 and from 0x7F on as \xNN.
void AppendQuoted(std::string* line, const char* bytes, size_t length);

// How much of a buffer of `capacity` bytes a call's reported length shows:
// all of it when the length is more than the buffer.
unsigned long CutToLength(unsigned long length, unsigned long capacity);

// The bytes before the buffer's first terminator; the whole buffer without one.
unsigned long CutAtTerminator(const char* buffer, unsigned long capacity);

// The line of a call made on the frame, without its line end.
std::string FormatCall(const CallRow& row, const CallFrame& frame);

#endif
