#include "controller_detection.h"

#include "../base/log.h"

bool FindIDFromEnum(Host& host, char* hardwareId) {
  System& system = *host.system;
  KeyHandle pci;
  if (system.OpenKey("System\\CurrentControlSet\\Enum\\PCI", kKeyRead, &pci) == kStatusSuccess) {
    char name[1024];
    for (unsigned long index = 0;; ++index) {
      unsigned long nameSize = sizeof name;
      if (system.EnumKey(pci, index, name, &nameSize) != kStatusSuccess) break;
      // A name too long for the id buffer is passed over.
      if (NamesPciController(name) && FormPciHardwareId(hardwareId, name)) {
        system.CloseKey(pci);
        DebugMessage(host, hardwareId, "HardwareId");
        return true;
      }
    }
    system.CloseKey(pci);
  }
  DebugMessage(host, "No PCI Key", "Debug");
  return false;
}

bool FormDeviceUpdate(Host& host, const char* hardwareId, wchar_t* wideId, wchar_t* wideInf) {
  char realId[kRealHardwareIdSize];
  if (!FormRealHardwareId(realId, hardwareId) || !WidenText(wideId, kWideHardwareIdSize, realId))
    return false;
  DebugMessage(host, realId, "Real HardwareId");
  DebugMessage(host, kWin2000InfName, "NT5 Inf File");
  WidenText(wideInf, kWideInfNameSize, kWin2000InfName);
  return true;
}
