#include "byte_stream.h"

#include <cstdlib>

FILE* StreamOfBytes(std::string* bytes) {
#ifdef _WIN32
  // Windows' C library opens no stream on memory.
  FILE* stream = OpenScratchStream();
  if (stream == nullptr) return nullptr;
  if (fwrite(bytes->data(), 1, bytes->size(), stream) != bytes->size()) {
    fclose(stream);
    return nullptr;
  }
  rewind(stream);
  return stream;
#else
  // glibc before 2.22 opens no stream on zero bytes.
  return bytes->empty() ? fopen("/dev/null", "rb") : fmemopen(&(*bytes)[0], bytes->size(), "rb");
#endif
}

FILE* OpenScratchStream() {
#ifdef _WIN32
  // Windows' tmpfile writes to the root of the current drive, which a user
  // may not write to: a file in the directory of TMP, which goes when the
  // stream is closed ("D").
  char* name = _tempnam(nullptr, "qv");
  FILE* stream = name != nullptr ? fopen(name, "w+bD") : nullptr;
  free(name);
  return stream;
#else
  return tmpfile();
#endif
}

bool ReadBackStream(FILE* stream, std::string* bytes) {
  rewind(stream);
  return ReadStream(stream, bytes);
}

bool ReadStream(FILE* stream, std::string* bytes) {
  char buffer[65536];
  size_t read;
  while ((read = fread(buffer, 1, sizeof buffer, stream)) > 0) bytes->append(buffer, read);
  return ferror(stream) == 0;
}

bool ReadFileBytes(const char* path, std::string* bytes) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return false;
  const bool read = ReadStream(file, bytes);
  fclose(file);
  return read;
}
