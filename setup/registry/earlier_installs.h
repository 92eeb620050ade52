// Removal of the registry traces that earlier installations of the modem
// left behind, and the check for the freshly installed modem on Windows 9x.
#pragma once

// Deletes the instances of "Enum\Root\Modem" and then of the 9x Modem class
// whose "Model" contains either of our names.
void DeleteSecondModem();

// Deletes the first instance of the WDM enumerator key that opens, then the
// enumerator key itself.
void RemoveWDMKeys();

// Deletes the 9x PCI class entries whose "Driverdesc" contains either name.
void RemovePciClassKeys();

// Deletes the 9x NoDevice class entries whose "ProviderName" is either name,
// letter case ignored.
void RemoveNoDeviceEntries();

// 1 when an instance of the 9x Modem class has a "Model" that contains
// either of our names, else 0.
int FindInstalledModem();
