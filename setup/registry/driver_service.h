// The NT kernel service of the modem driver, the modem's own settings tree,
// and the clean-up flag that tells later tools whether those settings may go.
#ifndef SETUP_REGISTRY_DRIVER_SERVICE_H
#define SETUP_REGISTRY_DRIVER_SERVICE_H

#include "../base/host.h"

// Creates or overwrites HKLM\SYSTEM\Currentcontrolset\services\TAVELINSoftModem
// with the ten values that load qvsm.sys from driversDir at system start.
void CreateDriverService(Host& host, const char* driversDir);

// Whether the service control manager reports the driver service running; a
// service that can not be opened or queried counts as not running.
bool DriverServiceRunning(Host& host);

// Deletes HKLM\Software\Tavelin\Softmodem with everything below it when the
// CleanUpRegistry option is set.
void RemoveBrandSettingsKey(Host& host, bool cleanUpRegistry);

// Sets "CleanUpRegistry" of HKLM\Software\Tavelin to the text ("Y" or "N").
// Creates nothing: without the key nothing is written.
void WriteCleanUpFlag(Host& host, const char* flag);

#endif
