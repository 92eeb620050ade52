#include "line_reader.h"

namespace {

const int kEndOfFile = -1;
const unsigned char kCtrlZ = 0x1A;

// The next raw byte without taking it, or kEndOfFile.
int PeekByte(LineReader* reader) {
  if (reader->ended) return kEndOfFile;
  if (reader->position == reader->length) {
    reader->length = fread(reader->buffer, 1, sizeof reader->buffer, reader->stream);
    reader->position = 0;
    if (reader->length == 0) {
      reader->ended = true;
      return kEndOfFile;
    }
  }
  return reader->buffer[reader->position];
}

// The next character as a text-mode stream delivers it, or kEndOfFile.
int NextCharacter(LineReader* reader) {
  const int c = PeekByte(reader);
  if (c == kEndOfFile) return kEndOfFile;
  if (c == kCtrlZ) {
    reader->ended = true;
    return kEndOfFile;
  }
  ++reader->position;
  if (c == '\r' && PeekByte(reader) == '\n') {
    ++reader->position;
    return '\n';
  }
  return c;
}

}  // namespace

void StartLineReader(LineReader* reader, FILE* stream) {
  reader->stream = stream;
  reader->position = 0;
  reader->length = 0;
  reader->ended = false;
}

size_t ReadLine(LineReader* reader, char* line, size_t capacity) {
  size_t count = 0;
  while (count + 1 < capacity) {
    const int c = NextCharacter(reader);
    if (c == kEndOfFile) break;
    line[count++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (capacity > 0) line[count] = '\0';
  return count;
}
