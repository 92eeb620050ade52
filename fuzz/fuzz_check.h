// What every fuzz target needs: a check that stops the run with a message
// (libFuzzer then saves the input), and the fuzz input cut into text parts.
#ifndef FUZZ_FUZZ_CHECK_H
#define FUZZ_FUZZ_CHECK_H
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#define FUZZ_CHECK(condition)                                                       \
  do {                                                                              \
    if (!(condition)) {                                                             \
      fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      abort();                                                                      \
    }                                                                               \
  } while (0)

// The input cut at every `separator` byte into at most `count` parts (the
// last part keeps any further separators); NUL bytes end a part's text, as
// they end the zero-terminated strings the parsers receive.
inline std::vector<std::string> SplitInput(const uint8_t* data, size_t size, char separator,
                                           size_t count) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == separator && parts.size() < count)
      parts.emplace_back();
    else
      parts.back() += c;
  }
  for (std::string& part : parts) {
    const size_t end = part.find('\0');
    if (end != std::string::npos) part.resize(end);
  }
  return parts;
}

// Whether the zero terminator lies within the first `size` bytes of `text`.
inline bool TerminatedWithin(const char* text, size_t size) {
  for (size_t i = 0; i < size; ++i)
    if (text[i] == '\0') return true;
  return false;
}

#endif
