// Fixed lists of keys, deleted leaves first, and single values that setup
// removes on every platform.
#pragma once

// Deletes the generic uninstall information tree and the two uninstall-list
// entries of the brand names.
void RemoveGSMUKey();

// Deletes the Unimodem response keys of both brands (NT 4.0).
void RemoveUnimodemDeviceKeys();

// Deletes the value name of the key at path below HKLM, if both exist.
void DeleteRegistryValue(const char* path, const char* name);
