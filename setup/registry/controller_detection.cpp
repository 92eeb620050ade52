#include "controller_detection.h"

#include <windows.h>

#include "../control/options.h"

int FindIDFromEnum(char* hardwareId) {
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
        return 1;
      }
    }
    RegCloseKey(pci);
  }
  DebugMessage(nullptr, "No PCI Key", "Debug", 0);
  return 0;
}

int UpdateDeviceByHardwareId(const char* hardwareId, UpdateNT5DeviceEntry updateDevice) {
  char realId[RealHardwareIdSize];
  if (!FormRealHardwareId(realId, hardwareId)) return 0;
  wchar_t wideId[WideHardwareIdSize];
  // Cutting the id would name another device: an id the library's buffer can
  // not hold is refused before anything is shown or called.
  if (!WidenText(wideId, WideHardwareIdSize, realId)) return 0;
  DebugMessage(nullptr, realId, "Real HardwareId", 0);
  DebugMessage(nullptr, Win2000InfName, "NT5 Inf File", 0);
  wchar_t wideInf[WideInfNameSize];
  WidenText(wideInf, WideInfNameSize, Win2000InfName);
  updateDevice(wideId, wideInf);
  return 1;
}
