// Line reading of the country settings file with the rules of a text-mode
// stream applied to a file opened in binary: a CR LF pair reads as one line
// feed, a lone CR stays a character of the line, and a Ctrl-Z (1A hex) ends
// the file. Doing the translation here keeps it identical on every platform.
#ifndef QVSMZAD_LINE_READER_H
#define QVSMZAD_LINE_READER_H

#include <cstddef>
#include <cstdio>

struct LineReader {
  FILE* stream;
  unsigned char buffer[4096];
  size_t position;
  size_t length;
  bool ended;  // Ctrl-Z seen or the stream is exhausted
};

// Prepares `reader` for reading `stream` (opened in binary) from its start.
void StartLineReader(LineReader* reader, FILE* stream);

// Reads the next line into `line`: at most `capacity` - 1 characters, up to
// and including the line feed, then a terminator. A longer physical line is
// delivered in pieces over several calls. Returns how many characters were
// stored (a zero byte of the file counts as one), 0 at the end of the file.
size_t ReadLine(LineReader* reader, char* line, size_t capacity);

#endif
