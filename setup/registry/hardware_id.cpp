#include "hardware_id.h"

#include <string.h>

// Vendor and device ids as the PCI tree's key names carry them, in the
// order in which they are tried.
static const char* const PciControllerIds[] = {
    "10B9&DEV_5453", "1039&DEV_7013", "8086&DEV_2416", "8086&DEV_2426",
    "8086&DEV_2446", "8086&DEV_7196", "1106&DEV_3068", "E159&DEV_0001",
};

// Characters of a PCI id kept in the real id: PCI\VEN_vvvv&DEV_dddd&SUBSYS_ssssssss.
static const size_t PciRealIdLength = 37;

bool NamesPciController(const char* keyName) {
  for (const char* id : PciControllerIds)
    if (strstr(keyName, id)) return true;
  return false;
}

int FormPciHardwareId(char* out, const char* keyName) {
  static const char prefix[] = "PCI\\";
  const size_t length = strlen(keyName);
  if (sizeof prefix - 1 + length >= HardwareIdSize) return 0;
  memcpy(out, prefix, sizeof prefix - 1);
  memcpy(out + sizeof prefix - 1, keyName, length + 1);
  return 1;
}

int FormRealHardwareId(char* out, const char* hardwareId) {
  const void* end = memchr(hardwareId, '\0', HardwareIdSize);
  if (!end) return 0;
  const size_t length = static_cast<size_t>(static_cast<const char*>(end) - hardwareId);
  if (strstr(hardwareId, "ACPI") || strstr(hardwareId, "BIOS") || strstr(hardwareId, "ISAPNP")) {
    const char* backslash = strchr(hardwareId, '\\');
    if (!backslash) return 0;
    // At most length characters: "*" replaces at least the backslash.
    out[0] = '*';
    memcpy(out + 1, backslash + 1, strlen(backslash + 1) + 1);
    return 1;
  }
  if (strstr(hardwareId, "PCI")) {
    const size_t kept = length < PciRealIdLength ? length : PciRealIdLength;
    memcpy(out, hardwareId, kept);
    out[kept] = '\0';
    return 1;
  }
  if (strstr(hardwareId, "BRX")) {
    memcpy(out, hardwareId, length + 1);
    return 1;
  }
  return 0;
}

int WidenText(wchar_t* out, size_t outSize, const char* text) {
  const size_t length = strlen(text);
  if (outSize == 0) return 0;
  if (length >= outSize) {
    out[0] = L'\0';
    return 0;
  }
  for (size_t i = 0; i <= length; ++i)
    out[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
  return 1;
}
