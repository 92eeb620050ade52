// Dumps and seeds registry trees for the test bench, in a line format that
// keeps every byte: fields separated by tabs, names and data in hex.
//   K <path>                             a key
//   V <path> <name> <type> <data>        a value
//   D <path>                             (seed only) delete the key with its subkeys
//   X <path> <name>                      (seed only) delete a value
// Paths start with HKLM or HKCU; in a dump they are relative to the root dumped.
#ifndef TESTS_WINE_AGENT_REGISTRY_TOOL_H
#define TESTS_WINE_AGENT_REGISTRY_TOOL_H

// Writes the tree below `path` to `outFile`; "MISSING" when it does not open.
// Without `wholeTree` only the key's values and the names of its subkeys.
int DumpRegistry(const char* path, const char* outFile, bool wholeTree);

// Applies the records of `inFile` in order. Returns 0 when all succeeded.
int SeedRegistry(const char* inFile);

#endif
