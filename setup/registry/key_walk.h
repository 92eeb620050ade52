// The walk over the subkeys of one root key that the clean-up of earlier
// installs shares: each subkey that opens and whose value matches a name
// rule is acted on.
#pragma once
#include <windows.h>

#include "modem_names.h"

enum WalkAction {
  DeleteAndGoOn,         // delete the subkey, examine what moved into its place
  DeleteWithRootAndEnd,  // delete the subkey and then the root key itself
  AnswerFound,           // end the walk with result 1
};

struct KeyWalk {
  const char* Root;       // path below HKLM
  REGSAM Access;          // for the root and for each subkey
  const char* ValueName;  // nullptr: every subkey that opens matches
  NameRule Rule;
  WalkAction Action;
  bool Checkpoints;       // show the PCI class walk's debug checkpoints
};

// Walks the subkeys of walk.Root from index 0. Subkey names hold at most
// 127 characters and values 256 bytes; a longer name ends the walk, a longer
// or missing value makes that subkey not a match. Returns 1 when a match
// ended the walk, else 0.
int WalkSubkeys(const KeyWalk& walk);
