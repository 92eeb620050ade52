// The directories a list entry is formed against, taken from the fuzz input
// as SetupPaths would hold them: at most 259 characters each, with defaults
// when the input gives none.
#ifndef FUZZ_FUZZ_SETUP_DIRS_H
#define FUZZ_FUZZ_SETUP_DIRS_H
#include <string>
#include <vector>

#include "base/paths_rules.h"

inline std::string SetupDir(const std::vector<std::string>& parts, size_t index,
                            const char* fallback) {
  const std::string dir = index < parts.size() ? parts[index] : fallback;
  return dir.substr(0, kSetupPathSize - 1);
}

// Words of text at runs of the separator characters, as a plain reference.
inline std::vector<std::string> SplitWords(const std::string& text, const char* separators) {
  std::vector<std::string> words;
  size_t start = text.find_first_not_of(separators);
  while (start != std::string::npos) {
    const size_t end = text.find_first_of(separators, start);
    words.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    start = end == std::string::npos ? end : text.find_first_not_of(separators, end);
  }
  return words;
}

#endif
