// Windows 2000: finding the modem controller in the PCI device tree and
// handing its real hardware id to the setup library.
#ifndef SETUP_REGISTRY_CONTROLLER_DETECTION_H
#define SETUP_REGISTRY_CONTROLLER_DETECTION_H

#include "controller_detection_rules.h"

// The setup library's device update: wide real hardware id, wide INF name.
typedef int(__cdecl* UpdateNT5DeviceEntry)(const wchar_t* hardwareId, const wchar_t* infName);

// Looks for a supported controller among the device keys of
// HKLM\System\CurrentControlSet\Enum\PCI, in enumeration order. True with
// "PCI\" + the key name in hardwareId (kHardwareIdSize bytes); false with
// hardwareId as it was.
bool FindIDFromEnum(char* hardwareId);

// Forms the real hardware id and calls updateDevice with it and the INF
// name. True after the call; false, calling nothing, for an id of no known
// form or one too long for the library's wide buffer.
bool UpdateDeviceByHardwareId(const char* hardwareId, UpdateNT5DeviceEntry updateDevice);

#endif
