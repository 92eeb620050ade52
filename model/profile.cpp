#include "profile.h"

#include <cctype>
#include <cstring>

namespace {

bool IsProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1A;
}

// The line between `begin` and `end` without the blanks around it.
void Trim(const char** begin, const char** end) {
  while (*begin < *end && IsProfileSpace(**begin)) ++*begin;
  while (*end > *begin && IsProfileSpace((*end)[-1])) --*end;
}

// `lineStart`: where the line starts, for the columns.
ProfileKey ReadKeyLine(const char* lineStart, const char* begin, const char* end, unsigned line) {
  ProfileKey key;
  key.line = line;
  key.unclosedHeader = *begin == '[';
  const char* equals =
      static_cast<const char*>(memchr(begin, '=', static_cast<size_t>(end - begin)));
  key.hasEquals = equals != nullptr;
  const char* nameEnd = equals != nullptr ? equals : end;
  const char* nameBegin = begin;
  Trim(&nameBegin, &nameEnd);
  key.name.assign(nameBegin, nameEnd);
  key.column = static_cast<unsigned>(nameBegin - lineStart) + 1;
  key.valueColumn = key.column;
  if (equals != nullptr) {
    const char* valueBegin = equals + 1;
    const char* valueEnd = end;
    Trim(&valueBegin, &valueEnd);
    key.value.assign(valueBegin, valueEnd);
    key.valueColumn = static_cast<unsigned>(valueBegin - lineStart) + 1;
  }
  return key;
}

// A value in a pair of quotation marks, which the reader drops.
bool IsQuoted(const std::string& value) {
  const size_t n = value.size();
  return n >= 2 && (value[0] == '"' || value[0] == '\'') && value[n - 1] == value[0];
}

const char* LineEnd(const char* p, const char* stop) {
  while (p < stop && *p != '\n' && *p != '\r') ++p;
  return p;
}

}  // namespace

void ReadProfile(const std::string& text, Profile* profile) {
  profile->sections.assign(1, ProfileSection{"", 0, false, {}});
  profile->loneCarriageReturnLine = 0;
  const char* p = text.data();
  const char* const stop = p + text.size();
  for (unsigned line = 1; p < stop; ++line) {
    const char* const lineStart = p;
    const char* begin = p;
    const char* end = LineEnd(p, stop);
    p = end;
    if (p < stop && *p == '\r' && (p + 1 == stop || p[1] != '\n')) {
      if (profile->loneCarriageReturnLine == 0) profile->loneCarriageReturnLine = line;
      ++p;
    } else if (p < stop) {
      p += *p == '\r' ? 2 : 1;
    }
    Trim(&begin, &end);
    if (begin == end || *begin == ';') continue;
    if (*begin == '[') {
      // The name ends at the last "]" of the line.
      const char* close = end;
      while (close > begin && close[-1] != ']') --close;
      if (close > begin) {
        const char* nameBegin = begin + 1;
        const char* nameEnd = close - 1;
        Trim(&nameBegin, &nameEnd);
        const bool trimmed = nameBegin != begin + 1 || nameEnd != close - 1;
        profile->sections.push_back(
            ProfileSection{std::string(nameBegin, nameEnd), line, trimmed, {}});
        continue;
      }
    }
    profile->sections.back().keys.push_back(ReadKeyLine(lineStart, begin, end, line));
  }
}

std::string ProfileText(const std::string& bytes, bool testPlatform) {
  return testPlatform && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

const ProfileSection* FindProfileSection(const Profile& profile, const std::string& name) {
  // A section of an empty name is never found.
  for (size_t i = 1; i < profile.sections.size() && !name.empty(); ++i) {
    if (SameNameIgnoringCase(profile.sections[i].name, name)) return &profile.sections[i];
  }
  return nullptr;
}

const ProfileKey* FindProfileKey(const ProfileSection& section, const std::string& name) {
  for (const ProfileKey& key : section.keys) {
    if (SameNameIgnoringCase(key.name, name)) return &key;
  }
  return nullptr;
}

bool IsListedKey(const ProfileKey& key) { return key.hasEquals && !key.name.empty(); }

std::string ProfileValue(const ProfileKey& key) {
  return IsQuoted(key.value) ? key.value.substr(1, key.value.size() - 2) : key.value;
}

unsigned ProfileValueColumn(const ProfileKey& key) {
  return IsQuoted(key.value) ? key.valueColumn + 1 : key.valueColumn;
}

int ProfileNumber(const ProfileKey* key, int fallback) {
  // The reader takes the value into a buffer of 30 characters.
  const std::string text = key != nullptr ? ProfileValue(*key).substr(0, 29) : std::string();
  if (text.empty()) return fallback;
  size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  unsigned long number = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
    number = number * 10 + static_cast<unsigned long>(text[at] - '0');
  return static_cast<int>(negative ? 0 - number : number);
}

size_t FillKeyList(const std::vector<const ProfileKey*>& keys, char* list, size_t size,
                   NameListForm form) {
  if (size < 2) return 0;
  size_t left = size, used = 0;
  for (const ProfileKey* key : keys) {
    if (left <= 2) break;
    size_t length = key->name.size() < left - 2 ? key->name.size() : left - 2;
    if (length == left - 2 && form == kNineXKeyList) --length;
    if (length == left - 2 && form == kNineXSectionList) {
      list[used] = '\0';
      list[used + 1] = '\0';
      return size - 2;
    }
    memcpy(list + used, key->name.data(), length);
    list[used + length] = '\0';
    left -= length + 1;
    used += length + 1;
    if (left < 2) break;
  }
  list[used] = '\0';
  if (left <= 1) {
    list[used - 1] = '\0';
    return size - 2;
  }
  return form == kNineXSectionList ? used + 1 : used;
}
