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

void RemoveGSMUKey() {
  for (const char* key : kGenericUninstallKeys) DeleteRegistryKey(key);
}

void RemoveUnimodemDeviceKeys() {
  for (const char* key : kUnimodemKeys) DeleteRegistryKey(key);
}

void RemoveMonitorRunEntry() {
  DeleteRegistryValue("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "QVSMMSG");
}

void DeleteSecondModem() {
  WalkSubkeys({"Enum\\Root\\Modem", KEY_READ, "Model", kContainsEitherName, kDeleteAndGoOn, false});
  WalkSubkeys({kWin9xModemClass, KEY_READ, "Model", kContainsEitherName, kDeleteAndGoOn, false});
}

void RemoveWDMKeys() {
  WalkSubkeys({"Enum\\TAVELIN.INTEL_AMR.MODEM", KEY_ALL_ACCESS, nullptr, kContainsEitherName,
               kDeleteWithRootAndEnd, false});
}

void RemovePciClassKeys() {
  WalkSubkeys({"System\\Currentcontrolset\\services\\class\\pci", KEY_ALL_ACCESS, "Driverdesc",
               kContainsEitherName, kDeleteAndGoOn, true});
}

void RemoveNoDeviceEntries() {
  WalkSubkeys({"System\\CurrentControlSet\\Services\\Class\\NoDevice", KEY_READ, "ProviderName",
               kEqualsEitherNameIgnoringCase, kDeleteAndGoOn, false});
}

// The modem counts as installed when its Model contains either name; a
// Model that is only a part of our name, such as "Modem", belongs to
// another vendor's modem and does not end the wait.
bool FindInstalledModem() {
  return WalkSubkeys(
      {kWin9xModemClass, KEY_READ, "Model", kContainsEitherName, kAnswerFound, false});
}
