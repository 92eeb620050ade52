#include "earlier_installs.h"

#include "keys.h"

namespace {

const char kWin9xModemClass[] = "System\\CurrentControlSet\\Services\\Class\\Modem";

// On Windows NT a key with subkeys is not deleted: each list runs from the
// leaves to the root.
const char* const kGenericUninstallKeys[] = {
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
const char* const kUnimodemKeys[] = {
    UNIMODEM_KEYS "TAVELIN Software Modem AMR::TAVELIN::TAVELIN\\responses",
    UNIMODEM_KEYS "TAVELIN Software Modem AMR::TAVELIN::TAVELIN",
    UNIMODEM_KEYS "Norvik Technologies Soft Modem AMR::Norvik::Norvik\\responses",
    UNIMODEM_KEYS "Norvik Technologies Soft Modem AMR::Norvik::Norvik",
};
#undef UNIMODEM_KEYS

}  // namespace

void RemoveGSMUKey(Host& host) {
  for (const char* key : kGenericUninstallKeys) DeleteRegistryKey(host, key);
}

void RemoveUnimodemDeviceKeys(Host& host) {
  for (const char* key : kUnimodemKeys) DeleteRegistryKey(host, key);
}

void RemoveMonitorRunEntry(Host& host) {
  DeleteRegistryValue(host, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "QVSMMSG");
}

void DeleteSecondModem(Host& host) {
  WalkSubkeys(host,
              {"Enum\\Root\\Modem", kKeyRead, "Model", kContainsEitherName, kDeleteAndGoOn, false});
  WalkSubkeys(host,
              {kWin9xModemClass, kKeyRead, "Model", kContainsEitherName, kDeleteAndGoOn, false});
}

void RemoveWDMKeys(Host& host) {
  WalkSubkeys(host, {"Enum\\TAVELIN.INTEL_AMR.MODEM", kKeyAllAccess, nullptr, kContainsEitherName,
                     kDeleteWithRootAndEnd, false});
}

void RemovePciClassKeys(Host& host) {
  WalkSubkeys(host, {"System\\Currentcontrolset\\services\\class\\pci", kKeyAllAccess, "Driverdesc",
                     kContainsEitherName, kDeleteAndGoOn, true});
}

void RemoveNoDeviceEntries(Host& host) {
  WalkSubkeys(host, {"System\\CurrentControlSet\\Services\\Class\\NoDevice", kKeyRead,
                     "ProviderName", kEqualsEitherNameIgnoringCase, kDeleteAndGoOn, false});
}

// The modem counts as installed when its Model contains either name; a
// Model that is only a part of our name, such as "Modem", belongs to
// another vendor's modem and does not end the wait.
bool FindInstalledModem(Host& host) {
  return WalkSubkeys(host, {kWin9xModemClass, kKeyRead, "Model", kContainsEitherName, kAnswerFound,
                            false});
}
