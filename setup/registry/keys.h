// The registry primitives that the operations on setup's records share:
// reading a value as text, deleting a value or a whole tree, and walking
// the subkeys of a key with a name rule. Every key lies below HKLM.
#ifndef SETUP_REGISTRY_KEYS_H
#define SETUP_REGISTRY_KEYS_H

#include "../base/host.h"
#include "modem_names.h"

// Reads the value into out, which holds capacity + 1 bytes, and terminates
// it after its data (a value stored without its NUL reads the same). False
// when the value is missing or its data exceeds capacity bytes.
bool ReadValueText(System& system, KeyHandle key, const char* name, char* out,
                   unsigned long capacity);

// Deletes the value name of the key at path, if both exist.
void DeleteRegistryValue(Host& host, const char* path, const char* name);

// Deletes the key at path, which Windows NT refuses while it has subkeys.
// True when it is gone.
bool DeleteRegistryKey(Host& host, const char* path);

// Deletes the key at path with its subkeys, deepest first. A subkey that can
// not be deleted (NT refuses it, or its path would exceed 259 characters) is
// passed over; everything else goes, and the key at path then stays.
void DeleteKeyTree(Host& host, const char* path);

enum WalkAction {
  kDeleteAndGoOn,         // delete the subkey, examine what moved into its place
  kDeleteWithRootAndEnd,  // delete the subkey and then the root key itself
  kAnswerFound,           // end the walk with a match
};

struct KeyWalk {
  const char* Root;       // path below HKLM
  KeyAccess Access;       // for the root and for each subkey
  const char* ValueName;  // nullptr: every subkey that opens matches
  NameRule Rule;
  WalkAction Action;
  bool Checkpoints;  // show the PCI class walk's debug checkpoints
};

// Walks the subkeys of walk.Root from index 0: each subkey that opens and
// whose value matches the rule is acted on. Subkey names hold at most 127
// characters and values 256 bytes; a longer name ends the walk, a longer or
// missing value makes that subkey not a match. True when a match ended the
// walk.
bool WalkSubkeys(Host& host, const KeyWalk& walk);

#endif
