#include "key_lists.h"

#include <windows.h>

#include "../control/install_log.h"

// On Windows NT a key with subkeys is not deleted: each list runs from the
// leaves to the root.
static const char* const GenericUninstallKeys[] = {
    "SOFTWARE\\GenericSoftModemUninstallInfo\\InternationalizationStrings",
    "SOFTWARE\\GenericSoftModemUninstallInfo\\InstalledFiles",
    "SOFTWARE\\GenericSoftModemUninstallInfo\\FriendlyNames",
    "SOFTWARE\\GenericSoftModemUninstallInfo\\DeviceClassNames",
    "SOFTWARE\\GenericSoftModemUninstallInfo\\Applets\\QVSMMSG",
    "SOFTWARE\\GenericSoftModemUninstallInfo\\Applets",
    "SOFTWARE\\GenericSoftModemUninstallInfo",
    "SOFTWARE\\Microsoft\\Windows\\Currentversion\\uninstall\\TAVELIN Software Modem",
    "SOFTWARE\\Microsoft\\Windows\\Currentversion\\uninstall\\Norvik Technologies Soft Modem",
};

#define UNIMODEM_KEYS "Software\\Microsoft\\Windows\\CurrentVersion\\Unimodem\\DeviceSpecific\\"
static const char* const UnimodemKeys[] = {
    UNIMODEM_KEYS "TAVELIN Software Modem AMR::TAVELIN::TAVELIN\\responses",
    UNIMODEM_KEYS "TAVELIN Software Modem AMR::TAVELIN::TAVELIN",
    UNIMODEM_KEYS "Norvik Technologies Soft Modem AMR::Norvik::Norvik\\responses",
    UNIMODEM_KEYS "Norvik Technologies Soft Modem AMR::Norvik::Norvik",
};
#undef UNIMODEM_KEYS

void RemoveGSMUKey() {
  for (const char* key : GenericUninstallKeys)
    LogKeyDeleted(key, RegDeleteKeyA(HKEY_LOCAL_MACHINE, key));
}

void RemoveUnimodemDeviceKeys() {
  for (const char* key : UnimodemKeys) LogKeyDeleted(key, RegDeleteKeyA(HKEY_LOCAL_MACHINE, key));
}

void DeleteRegistryValue(const char* path, const char* name) {
  HKEY key;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key);
  if (status == ERROR_SUCCESS) {
    status = RegDeleteValueA(key, name);
    RegCloseKey(key);
  }
  LogValueDeleted(path, name, status);
}
