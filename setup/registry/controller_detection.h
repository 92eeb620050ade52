// Windows 2000: finding the modem controller in the PCI device tree and
// handing its real hardware id to the setup library.
#ifndef SETUP_REGISTRY_CONTROLLER_DETECTION_H
#define SETUP_REGISTRY_CONTROLLER_DETECTION_H

#include "../base/host.h"
#include "controller_detection_rules.h"

// Looks for a supported controller among the device keys of
// HKLM\System\CurrentControlSet\Enum\PCI, in enumeration order. True with
// "PCI\" + the key name in hardwareId (kHardwareIdSize bytes); false with
// hardwareId as it was.
bool FindIDFromEnum(Host& host, char* hardwareId);

// Forms what the setup library's device update takes: the real hardware id
// into wideId (kWideHardwareIdSize characters) and the INF name into wideInf
// (kWideInfNameSize). False, showing nothing, for an id of no known form or
// one too long for the library's wide buffer: cutting it would name another
// device.
bool FormDeviceUpdate(Host& host, const char* hardwareId, wchar_t* wideId, wchar_t* wideInf);

#endif
