// Windows 2000: finding the modem controller in the PCI device tree and
// handing its real hardware id to the setup library.
#pragma once

#include "hardware_id.h"

// The setup library's device update: wide real hardware id, wide INF name.
typedef int(__cdecl* UpdateNT5DeviceEntry)(const wchar_t* hardwareId, const wchar_t* infName);

// Looks for a supported controller among the device keys of
// HKLM\System\CurrentControlSet\Enum\PCI, in enumeration order. Returns 1
// with "PCI\" + the key name in hardwareId (HardwareIdSize bytes), or 0
// with hardwareId as it was.
int FindIDFromEnum(char* hardwareId);

// Forms the real hardware id and calls updateDevice with it and the INF
// name. Returns 1 after the call; 0, calling nothing, for an id of no known
// form or one too long for the library's wide buffer.
int UpdateDeviceByHardwareId(const char* hardwareId, UpdateNT5DeviceEntry updateDevice);
