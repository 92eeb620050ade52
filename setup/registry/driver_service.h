// The NT kernel service entry of the modem driver, and the removal of the
// modem's own settings tree.
#pragma once

// Creates or overwrites HKLM\SYSTEM\Currentcontrolset\services\TAVELINSoftModem
// with the ten values that load qvsm.sys from DriversDir at system start.
void CreateDriverService();

// Deletes HKLM\Software\Tavelin\Softmodem with everything below it when the
// CleanUpRegistry option is set.
void RemoveBrandSettingsKey();

// Deletes the key at path below HKLM with its subkeys, deepest first. A
// subkey that can not be deleted (NT refuses it, or its path would exceed
// 259 characters) is passed over; everything else goes, and the key at path
// then stays.
void DeleteKeyTree(const char* path);
