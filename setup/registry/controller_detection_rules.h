// Hardware ids of the modem controller on Windows 2000: which PCI device
// keys name a supported controller, and the form under which the INF lists
// a device (the real hardware id).
#ifndef SETUP_REGISTRY_CONTROLLER_DETECTION_RULES_H
#define SETUP_REGISTRY_CONTROLLER_DETECTION_RULES_H

#include <stddef.h>

const size_t kHardwareIdSize = 528;      // the id buffer, terminator included
const size_t kRealHardwareIdSize = 528;  // at most 527 characters
const size_t kWideHardwareIdSize = 526;  // wide characters handed to the library
const size_t kWideInfNameSize = 256;

// The INF that installs the device on Windows 2000.
const char* const kWin2000InfName = "qvsmw2k.inf";

// Whether a PCI device key name carries one of the supported controllers'
// vendor and device ids (substring test, letter case significant).
bool NamesPciController(const char* keyName);

// out = "PCI\" + keyName. False, with out untouched, when the id would not
// fit kHardwareIdSize: a cut name would be another device's id.
bool FormPciHardwareId(char* out, const char* keyName);

// The real hardware id of an id of at most kHardwareIdSize - 1 characters:
// "ACPI", "BIOS" or "ISAPNP" in it: "*" + everything after the first
// backslash (false when there is none); else "PCI": its first 37
// characters; else "BRX": the id unchanged. Any other id, or one without a
// terminator within kHardwareIdSize: false. out holds kRealHardwareIdSize
// bytes.
bool FormRealHardwareId(char* out, const char* hardwareId);

// Widens each 8-bit character to the wide character of the same value.
// False, with out empty, when text does not fit outSize.
bool WidenText(wchar_t* out, size_t outSize, const char* text);

#endif
