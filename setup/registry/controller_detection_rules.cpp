#include "controller_detection_rules.h"

#include <string.h>

namespace {

// Vendor and device ids as the PCI tree's key names carry them, in the
// order in which they are tried.
const char* const kPciControllerIds[] = {
    "10B9&DEV_5453", "1039&DEV_7013", "8086&DEV_2416", "8086&DEV_2426",
    "8086&DEV_2446", "8086&DEV_7196", "1106&DEV_3068", "E159&DEV_0001",
};

// Characters of a PCI id kept in the real id: PCI\VEN_vvvv&DEV_dddd&SUBSYS_ssssssss.
const size_t kPciRealIdLength = 37;

}  // namespace

bool NamesPciController(const char* keyName) {
  for (const char* id : kPciControllerIds)
    if (strstr(keyName, id)) return true;
  return false;
}

bool FormPciHardwareId(char* out, const char* keyName) {
  static const char prefix[] = "PCI\\";
  const size_t length = strlen(keyName);
  if (sizeof prefix - 1 + length >= kHardwareIdSize) return false;
  memcpy(out, prefix, sizeof prefix - 1);
  memcpy(out + sizeof prefix - 1, keyName, length + 1);
  return true;
}

bool FormRealHardwareId(char* out, const char* hardwareId) {
  const void* end = memchr(hardwareId, '\0', kHardwareIdSize);
  if (!end) return false;
  const size_t length = static_cast<size_t>(static_cast<const char*>(end) - hardwareId);
  if (strstr(hardwareId, "ACPI") || strstr(hardwareId, "BIOS") || strstr(hardwareId, "ISAPNP")) {
    const char* backslash = strchr(hardwareId, '\\');
    if (!backslash) return false;
    // At most length characters: "*" replaces at least the backslash.
    out[0] = '*';
    memcpy(out + 1, backslash + 1, strlen(backslash + 1) + 1);
    return true;
  }
  if (strstr(hardwareId, "PCI")) {
    const size_t kept = length < kPciRealIdLength ? length : kPciRealIdLength;
    memcpy(out, hardwareId, kept);
    out[kept] = '\0';
    return true;
  }
  if (strstr(hardwareId, "BRX")) {
    memcpy(out, hardwareId, length + 1);
    return true;
  }
  return false;
}

bool WidenText(wchar_t* out, size_t outSize, const char* text) {
  const size_t length = strlen(text);
  if (outSize == 0) return false;
  if (length >= outSize) {
    out[0] = L'\0';
    return false;
  }
  for (size_t i = 0; i <= length; ++i)
    out[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
  return true;
}
