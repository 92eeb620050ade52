// Streams on bytes in memory, for the readers and writers that take a
// FILE*: qvsmzad's walk, qvlint's checks of a country settings file, the
// REGEDIT4 writer.
#ifndef MODEL_BYTE_STREAM_H
#define MODEL_BYTE_STREAM_H

#include <cstdio>
#include <string>

// Opens a binary stream that reads `bytes` from their start; `bytes` must
// stay as they are until the stream is closed. nullptr when none can be
// opened.
FILE* StreamOfBytes(std::string* bytes);

// Opens an empty binary stream to write and read back, which is gone when
// it is closed; nullptr when none can be opened.
FILE* OpenScratchStream();

// Everything written to `stream`, read from its start; false on a read
// error.
bool ReadBackStream(FILE* stream, std::string* bytes);

// The rest of `stream` appended to `bytes`; false on a read error.
bool ReadStream(FILE* stream, std::string* bytes);

// The whole file of `path` appended to `bytes`; false when it can not be
// opened or read.
bool ReadFileBytes(const char* path, std::string* bytes);

#endif
