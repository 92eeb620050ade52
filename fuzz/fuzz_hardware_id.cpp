// Hardware ids: the PCI key name test, the "PCI\" id formed from a key
// name, the real id the INF lists, and the widening for the setup library.
// The real id is formed from a buffer of exactly kHardwareIdSize bytes when
// the input is that long (then possibly without a terminator), as read from
// the registry, else from the input's text.
#include <string.h>

#include "fuzz_check.h"
#include "registry/controller_detection_rules.h"

namespace {

void CheckPciHardwareId(const std::string& keyName) {
  NamesPciController(keyName.c_str());
  char* id = new char[kHardwareIdSize];
  memset(id, 'x', kHardwareIdSize);
  if (FormPciHardwareId(id, keyName.c_str())) {
    FUZZ_CHECK(TerminatedWithin(id, kHardwareIdSize) && std::string(id) == "PCI\\" + keyName);
  } else {
    FUZZ_CHECK(4 + keyName.size() >= kHardwareIdSize && id[0] == 'x');
  }
  delete[] id;
}

// The rules on std::string; "" when the id has no real form.
std::string RealIdOf(const std::string& id) {
  if (id.find("ACPI") != std::string::npos || id.find("BIOS") != std::string::npos ||
      id.find("ISAPNP") != std::string::npos) {
    const size_t backslash = id.find('\\');
    return backslash == std::string::npos ? "" : "*" + id.substr(backslash + 1);
  }
  if (id.find("PCI") != std::string::npos) return id.substr(0, 37);
  if (id.find("BRX") != std::string::npos) return id;
  return "";
}

void CheckRealHardwareId(const uint8_t* data, size_t size) {
  const size_t length = size < kHardwareIdSize ? size : kHardwareIdSize;
  char* id = new char[size < kHardwareIdSize ? size + 1 : kHardwareIdSize];
  memcpy(id, data, length);
  if (size < kHardwareIdSize) id[size] = '\0';
  const bool terminated =
      TerminatedWithin(id, kHardwareIdSize < size + 1 ? kHardwareIdSize : size + 1);

  char* real = new char[kRealHardwareIdSize];
  const int formed = FormRealHardwareId(real, id);
  if (!terminated) {
    FUZZ_CHECK(formed == 0);
  } else {
    const std::string expected = RealIdOf(id);
    FUZZ_CHECK(formed == (expected.empty() ? 0 : 1));
    if (formed) FUZZ_CHECK(TerminatedWithin(real, kRealHardwareIdSize) && real == expected);
  }
  delete[] real;
  delete[] id;
}

void CheckWidening(const std::string& text, size_t outSize) {
  wchar_t* wide = new wchar_t[outSize];
  if (WidenText(wide, outSize, text.c_str())) {
    FUZZ_CHECK(text.size() < outSize && wide[text.size()] == L'\0');
    for (size_t i = 0; i < text.size(); ++i)
      FUZZ_CHECK(wide[i] == static_cast<wchar_t>(static_cast<unsigned char>(text[i])));
  } else {
    FUZZ_CHECK(text.size() >= outSize && wide[0] == L'\0');
  }
  delete[] wide;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = SplitInput(data, size, '\0', 1)[0];
  CheckPciHardwareId(text);
  CheckRealHardwareId(data, size);
  CheckWidening(text, kWideHardwareIdSize);
  CheckWidening(text, 1 + size % kWideInfNameSize);
  return 0;
}
