// ReadField and the number conversions. The first input byte picks the field
// capacity; the rest is the text. ConvertLong is held against the C library's
// strtol clamped to 32 bits, ParseHex against the last eight digits of the
// hexadecimal run (its arithmetic wraps at 32 bits).
#include <string.h>

#include "buffer_sizes.h"
#include "fuzz_check.h"
#include "numbers.h"
#include "read_field.h"

namespace {

void CheckReadField(const char* text, size_t capacity) {
  char* field = new char[capacity];
  const int step = ReadField(text, field, capacity);
  FUZZ_CHECK(TerminatedWithin(field, capacity));
  const char* comma = strchr(text, ',');
  // The field ends at the first comma, quoted or not, and the step lands after it.
  FUZZ_CHECK(comma == nullptr ? step == 0 : step == comma + 1 - text);
  FUZZ_CHECK(strpbrk(field, ",\"") == nullptr);
  // The field keeps characters of the text in their order.
  const char* source = text;
  for (const char* p = field; *p != '\0'; ++p, ++source) {
    source = strchr(source, *p);
    FUZZ_CHECK(source != nullptr && (comma == nullptr || source < comma));
  }
  delete[] field;
}

void CheckConvertLong(const char* text, int base) {
  long expected = strtol(text, nullptr, base);
  if (expected > INT32_MAX) expected = INT32_MAX;
  if (expected < INT32_MIN) expected = INT32_MIN;
  FUZZ_CHECK(ConvertLong(text, base) == expected);
}

void CheckParseHex(const char* text) {
  const size_t run = strspn(text, "0123456789abcdefABCDEF");
  const std::string last = std::string(text, run).substr(run > 8 ? run - 8 : 0);
  const uint32_t expected =
      last.empty() ? 0 : static_cast<uint32_t>(strtoul(last.c_str(), nullptr, 16));
  const uint32_t value = ParseHex(text);
  FUZZ_CHECK(value == expected);

  unsigned char bytes[4];
  StoreLittleEndian(value, bytes);
  FUZZ_CHECK((bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24) ==
             value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t capacity = 1 + data[0] % kFieldSize;  // 1 to kFieldSize
  const std::string text = SplitInput(data + 1, size - 1, '\0', 1)[0];
  char* line = new char[text.size() + 1];
  memcpy(line, text.c_str(), text.size() + 1);

  CheckReadField(line, capacity);
  CheckConvertLong(line, 0);
  CheckConvertLong(line, 10);
  CheckParseHex(line);

  delete[] line;
  return 0;
}
