// A Registry section line: taken apart, every field within its buffer; a
// line formed again from the parts (each text field in quotation marks, the
// bytes in hexadecimal) gives the same parts.
#include <string.h>

#include "fuzz_check.h"
#include "registry_line.h"

namespace {

std::string FormAgain(const RegistryLine& parsed) {
  std::string line = "HKLM,\"" + std::string(parsed.keyPath) + "\",\"" + parsed.valueName + "\"";
  if (parsed.deletion) return line;
  line += "," + std::to_string(parsed.typeCode);
  if (parsed.typeCode & kByteDataBit) {
    char hex[4];
    for (unsigned i = 0; i < parsed.dataSize; ++i) {
      snprintf(hex, sizeof hex, ",%02X", parsed.data[i]);
      line += hex;
    }
  } else {
    line += ",\"" + std::string(reinterpret_cast<const char*>(parsed.data)) + "\"";
  }
  return line;
}

bool SameParts(const RegistryLine& a, const RegistryLine& b) {
  return a.deletion == b.deletion && a.typeCode == b.typeCode &&
         strcmp(a.keyPath, b.keyPath) == 0 && strcmp(a.valueName, b.valueName) == 0 &&
         a.dataSize == b.dataSize && memcmp(a.data, b.data, a.dataSize) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = SplitInput(data, size, '\0', 1)[0];
  char* line = new char[text.size() + 1];
  memcpy(line, text.c_str(), text.size() + 1);

  RegistryLine* parsed = new RegistryLine;
  if (ParseRegistryLine(line, parsed)) {
    FUZZ_CHECK(TerminatedWithin(parsed->keyPath, sizeof parsed->keyPath) &&
               parsed->keyPath[0] != '\0');
    FUZZ_CHECK(TerminatedWithin(parsed->valueName, sizeof parsed->valueName) &&
               parsed->valueName[0] != '\0');
    FUZZ_CHECK(strpbrk(parsed->keyPath, ",\"") == nullptr &&
               strpbrk(parsed->valueName, ",\"") == nullptr);
    if (parsed->deletion) {
      FUZZ_CHECK(parsed->dataSize == 0);
    } else {
      FUZZ_CHECK(parsed->typeCode >= 0 && parsed->typeCode <= kHighestTypeCode);
      FUZZ_CHECK(parsed->dataSize >= 1 && parsed->dataSize <= kDataSize);
      if (!(parsed->typeCode & kByteDataBit)) {
        const char* string = reinterpret_cast<const char*>(parsed->data);
        FUZZ_CHECK(TerminatedWithin(string, sizeof parsed->data));
        FUZZ_CHECK(parsed->dataSize == strlen(string) + 1);
      }
    }
    const std::string again = FormAgain(*parsed);
    RegistryLine* reparsed = new RegistryLine;
    FUZZ_CHECK(ParseRegistryLine(again.c_str(), reparsed));
    FUZZ_CHECK(SameParts(*parsed, *reparsed));
    delete reparsed;
  }
  delete parsed;
  delete[] line;
  return 0;
}
