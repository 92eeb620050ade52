// Classification of a line by its first character, and of a content line by
// the section that it stands in.
#ifndef QVSMZAD_LINE_KIND_H
#define QVSMZAD_LINE_KIND_H

#include <cstddef>

enum LineKind {
  kCommentLine,    // ";" in column one
  kSectionHeader,  // "[" in column one and a "]" later in the line
  kBrokenHeader,   // "[" in column one without any "]": ignored
  kContentLine     // anything else, blank and empty lines included
};

enum SectionKind {
  kNoSection,        // before the first header, or after "[]"
  kDisabledSection,  // "Disable_Country"
  kRegistrySection,  // "Registry"
  kCountrySection    // any other name: a key below the Country key
};

LineKind ClassifyLine(const char* line);

// Copies the text between the "[" of a kSectionHeader line and its first "]",
// verbatim. Returns false, leaving `name` empty, when it does not fit.
bool CopySectionName(const char* header, char* name, size_t capacity);

// Section names are compared byte for byte, letter case significant.
SectionKind KindOfSection(const char* name);

#endif
