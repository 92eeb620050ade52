// The country settings file as qvsmzad reads it: line reading with the
// text-mode rules, then the classification and the parsing of every line.
// The first input byte picks the line capacity (pieces of long lines), the
// rest is the file.
#include <string.h>

#include "buffer_sizes.h"
#include "country_line.h"
#include "fuzz_check.h"
#include "line_kind.h"
#include "line_reader.h"

namespace {

// What a text-mode stream delivers: everything before the first Ctrl-Z,
// each CR LF pair read as one line feed.
std::string TextModeContent(const uint8_t* data, size_t size) {
  std::string text;
  for (size_t i = 0; i < size && data[i] != 0x1A; ++i) {
    if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') continue;
    text += static_cast<char>(data[i]);
  }
  return text;
}

void CheckSectionHeader(const char* line) {
  char* name = new char[kSectionSize];
  if (CopySectionName(line, name, kSectionSize)) {
    const size_t length = strlen(name);
    FUZZ_CHECK(strchr(name, ']') == nullptr);
    FUZZ_CHECK(memcmp(name, line + 1, length) == 0 && line[1 + length] == ']');
  } else {
    FUZZ_CHECK(name[0] == '\0');
  }
  const SectionKind kind = KindOfSection(name);
  FUZZ_CHECK(kind >= kNoSection && kind <= kCountrySection);
  delete[] name;
}

void CheckContentLine(const char* line) {
  CountryValue* value = new CountryValue;
  if (ParseCountryValue(line, value)) {
    FUZZ_CHECK(TerminatedWithin(value->name, sizeof value->name));
    const size_t nameLength = strlen(value->name);
    FUZZ_CHECK(nameLength == 0 ||
               (memcmp(value->name, line, nameLength) == 0 && line[nameLength] == '='));
    FUZZ_CHECK(value->hasBounds || (value->minimum == 0 && value->maximum == 0));
  } else {
    FUZZ_CHECK(strchr(line, '=') == nullptr);
  }
  delete value;

  char* code = new char[3];
  if (ParseDisabledCountry(line, code)) {
    const size_t length = strlen(code);
    FUZZ_CHECK(length == 1 || length == 2);
    for (size_t i = 0; i < length; ++i) FUZZ_CHECK(strchr("0123456789ABCDEF", code[i]) != nullptr);
  }
  delete[] code;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t capacity = 2 + data[0] % (kLineSize - 1);  // 2 to kLineSize
  ++data, --size;

  FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (size == 0) stream = fopen("/dev/null", "rb");
  FUZZ_CHECK(stream != nullptr);
  LineReader* reader = new LineReader;
  StartLineReader(reader, stream);
  char* line = new char[capacity];

  const std::string expected = TextModeContent(data, size);
  const bool hasNul = expected.find('\0') != std::string::npos;
  std::string delivered;
  while (ReadLine(reader, line, capacity)) {
    FUZZ_CHECK(TerminatedWithin(line, capacity));
    const size_t length = strlen(line);
    if (!hasNul) {
      // Each piece is non-empty and holds a line feed only as its last character.
      FUZZ_CHECK(length > 0);
      const char* feed = strchr(line, '\n');
      FUZZ_CHECK(feed == nullptr || feed == line + length - 1);
      FUZZ_CHECK(feed != nullptr || length == capacity - 1 ||
                 delivered.size() + length == expected.size());
    }
    delivered.append(line, length);

    const LineKind kind = ClassifyLine(line);
    if (kind == kSectionHeader) CheckSectionHeader(line);
    if (kind == kContentLine) CheckContentLine(line);
  }
  if (!hasNul) FUZZ_CHECK(delivered == expected);
  FUZZ_CHECK(!ReadLine(reader, line, capacity));  // the end stays the end

  delete[] line;
  delete reader;
  fclose(stream);
  return 0;
}
