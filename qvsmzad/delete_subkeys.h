// DeleteSubkeys: empties a registry key of all its subkeys.
#ifndef QVSMZAD_DELETE_SUBKEYS_H
#define QVSMZAD_DELETE_SUBKEYS_H

#include <windows.h>

// Removes every subkey of `key` at every depth, depth first, so it works on
// registries that refuse to delete a key with subkeys (NT) as well as on
// those that delete the key with them (9x). `key` itself and its values stay.
void DeleteSubkeys(HKEY key);

#endif
