// Removal of the registry traces that earlier installations of the modem
// left behind, and the check for the freshly installed modem on Windows 9x.
#ifndef SETUP_REGISTRY_EARLIER_INSTALLS_H
#define SETUP_REGISTRY_EARLIER_INSTALLS_H

#include "../base/host.h"

// Deletes the generic uninstall information tree and the two uninstall-list
// entries of the brand names, leaves first.
void RemoveGSMUKey(Host& host);

// Deletes the Unimodem response keys of both brands (NT 4.0).
void RemoveUnimodemDeviceKeys(Host& host);

// Removes the monitor's autostart value "QVSMMSG" from the Run key.
void RemoveMonitorRunEntry(Host& host);

// Deletes the instances of "Enum\Root\Modem" and then of the 9x Modem class
// whose "Model" contains either of our names.
void DeleteSecondModem(Host& host);

// Deletes the first instance of the WDM enumerator key that opens, then the
// enumerator key itself.
void RemoveWDMKeys(Host& host);

// Deletes the 9x PCI class entries whose "Driverdesc" contains either name.
void RemovePciClassKeys(Host& host);

// Deletes the 9x NoDevice class entries whose "ProviderName" is either name,
// letter case ignored.
void RemoveNoDeviceEntries(Host& host);

// Whether an instance of the 9x Modem class has a "Model" that contains
// either of our names.
bool FindInstalledModem(Host& host);

#endif
