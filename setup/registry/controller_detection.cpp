#include "controller_detection.h"

#include <windows.h>

#include "../base/log.h"

bool FindIDFromEnum(char* hardwareId) {
  HKEY pci;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Enum\\PCI", 0, KEY_READ,
                    &pci) == ERROR_SUCCESS) {
    char name[1024];
    for (DWORD index = 0;; ++index) {
      DWORD nameSize = sizeof name;
      if (RegEnumKeyExA(pci, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      // A name too long for the id buffer is passed over.
      if (NamesPciController(name) && FormPciHardwareId(hardwareId, name)) {
        RegCloseKey(pci);
        DebugMessage(nullptr, hardwareId, "HardwareId", 0);
        return true;
      }
    }
    RegCloseKey(pci);
  }
  DebugMessage(nullptr, "No PCI Key", "Debug", 0);
  return false;
}

bool UpdateDeviceByHardwareId(const char* hardwareId, UpdateNT5DeviceEntry updateDevice) {
  char realId[kRealHardwareIdSize];
  if (!FormRealHardwareId(realId, hardwareId)) return false;
  wchar_t wideId[kWideHardwareIdSize];
  // Cutting the id would name another device: an id the library's buffer can
  // not hold is refused before anything is shown or called.
  if (!WidenText(wideId, kWideHardwareIdSize, realId)) return false;
  DebugMessage(nullptr, realId, "Real HardwareId", 0);
  DebugMessage(nullptr, kWin2000InfName, "NT5 Inf File", 0);
  wchar_t wideInf[kWideInfNameSize];
  WidenText(wideInf, kWideInfNameSize, kWin2000InfName);
  updateDevice(wideId, wideInf);
  return true;
}
