// The seam's methods as a script calls them: one row a method, with the kind
// of its result, the kinds of its parameters in signature order, and the
// call itself on a frame that holds the arguments and takes the outputs. A
// method that a script may not call (it waits, ends the process, shows a
// box or calls a library entry) has a row without a call.
#ifndef CALLSCRIPT_CALL_TABLE_H
#define CALLSCRIPT_CALL_TABLE_H

#include <stddef.h>

#include "base/system.h"

// The largest output buffer a script may ask for.
const unsigned long kMaxBufferSize = 64 * 1024;
const size_t kMaxParameters = 6;

// Result kinds.
const char kResultStatus = 'S';   // a Win32 status
const char kResultNumber = 'N';   // a length, attributes or size
const char kResultBool = 'B';     // 0 or 1
const char kResultVoid = '-';     // nothing
const char kResultEntry = 'E';    // an entry handle: `entry` or `null`
const char kResultProgram = 'P';  // the start's status, whether the exit code is known, the code

// Parameter kinds, each one letter of CallRow::parameters. Handles: a
// lower-case letter takes one (#N or null), its capital gives one back.
//   s  const char* text, a string or null; m the same, modifiable
//   n  a number
//   b  bytes and their size: two arguments, a string and a number
//   k K  KeyHandle, x X SearchHandle, g G FileHandle, l L LibraryHandle
//   o  an output buffer and its size, cut to the result's length
//   t  an output buffer and its size, cut at its terminator
//   r  an output buffer and its size, cut to what the following count says
//   q  an output buffer and its in/out size: N, N/M or null
//   u  unsigned long* (a type or a count): out or null
//   z  unsigned long long*: out or null
//   f  a found name of kFoundNameSize bytes, no argument
//   v  PlatformVersion*, no argument
struct CallFrame {
  const char* text[kMaxParameters];
  unsigned long length[kMaxParameters];  // a string's bytes
  unsigned long number[kMaxParameters];  // a number; b: the size
  void* handle[kMaxParameters];
  char* buffer[kMaxParameters];
  unsigned long size[kMaxParameters];  // a buffer's size (in and out for q)
  unsigned long capacity[kMaxParameters];
  bool given[kMaxParameters];  // a plain output pointer given as `out`

  // The outputs of the kinds that a method has at most one of.
  KeyHandle key;
  SearchHandle search;
  FileHandle file;
  LibraryHandle library;
  unsigned long count;
  unsigned long long bytes;
  PlatformVersion version;

  // The result, in the field of its kind.
  SystemStatus status;
  unsigned long result;
  bool flag;
  EntryHandle entry;
  ProgramResult program;

  KeyHandle Key(size_t i) const { return static_cast<KeyHandle>(handle[i]); }
  SearchHandle Search(size_t i) const { return static_cast<SearchHandle>(handle[i]); }
  FileHandle File(size_t i) const { return static_cast<FileHandle>(handle[i]); }
  LibraryHandle Library(size_t i) const { return static_cast<LibraryHandle>(handle[i]); }
  KeyHandle* KeyOut(size_t i) { return given[i] ? &key : nullptr; }
  SearchHandle* SearchOut(size_t i) { return given[i] ? &search : nullptr; }
  FileHandle* FileOut(size_t i) { return given[i] ? &file : nullptr; }
  LibraryHandle* LibraryOut(size_t i) { return given[i] ? &library : nullptr; }
  unsigned long* CountOut(size_t i) { return given[i] ? &count : nullptr; }
  unsigned long long* BytesOut(size_t i) { return given[i] ? &bytes : nullptr; }
  unsigned char* Data(size_t i) { return reinterpret_cast<unsigned char*>(buffer[i]); }
  const unsigned char* InputData(size_t i) const {
    return reinterpret_cast<const unsigned char*>(text[i]);
  }
};

typedef void (*CallFunction)(System& system, CallFrame& frame);

struct CallRow {
  const char* name;
  char result;
  const char* parameters;
  CallFunction call;  // nullptr: not callable from a script
};

// The row of a method name; nullptr for none.
const CallRow* FindCallRow(const char* name, size_t length);

// Every row, for the tests.
const CallRow* CallRows(size_t* count);

#endif
