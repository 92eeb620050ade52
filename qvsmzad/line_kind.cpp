#include "line_kind.h"

#include <cstring>

#include "text.h"

LineKind ClassifyLine(const char* line) {
  if (line[0] == ';') return kCommentLine;
  if (line[0] == '[') return strchr(line, ']') != nullptr ? kSectionHeader : kBrokenHeader;
  return kContentLine;
}

bool CopySectionName(const char* header, char* name, size_t capacity) {
  const char* start = header + 1;
  const char* end = strchr(start, ']');
  return CopyBounded(name, capacity, start, static_cast<size_t>(end - start));
}

SectionKind KindOfSection(const char* name) {
  if (name[0] == '\0') return kNoSection;
  if (strcmp(name, "Disable_Country") == 0) return kDisabledSection;
  if (strcmp(name, "Registry") == 0) return kRegistrySection;
  return kCountrySection;
}
