// A registry in memory with the rules that qvsmzad's writes meet on Windows:
// names compare without regard to letter case and keep their first
// spelling, paths are taken apart as the registry does it, key names have a
// length limit, and the 9x and NT families differ where noted.
#ifndef QVLINT_REGISTRY_MODEL_H
#define QVLINT_REGISTRY_MODEL_H

#include <memory>
#include <string>
#include <vector>

enum RegistryPlatform {
  kPlatformNt,  // NT 4.0 and Windows 2000
  kPlatform9x   // Windows 95, 98 and ME
};

// Longest name of one key; a path holding a longer one is refused whole.
// And the longest path that RegCreateKeyExA and RegOpenKeyExA take: they
// widen it into a buffer of the thread that holds 260 characters.
enum { kMaxKeyNameLength = 256, kMaxAnsiPathLength = 260 };

enum { kTypeString = 1, kTypeBinary = 3 };  // REG_SZ, REG_BINARY

struct ModelValue {
  std::string name;  // the first spelling
  unsigned long type;
  std::string data;    // the stored bytes; a string with its terminator
  unsigned firstLine;  // line of the file that created it (0: before any line)
  unsigned lastLine;   // line that last wrote it
};

struct ModelKey {
  std::string name;  // the first spelling
  ModelKey* parent;
  unsigned createdLine;
  std::vector<ModelValue> values;  // in the order of creation
  std::vector<std::unique_ptr<ModelKey>> subkeys;
  std::vector<std::string> deletedValues;  // names that a deletion reached here
};

struct RegistryModel {
  RegistryPlatform platform;
  ModelKey machine;  // HKEY_LOCAL_MACHINE
};

void StartRegistryModel(RegistryModel* model, RegistryPlatform platform);

// Registry names are equal when they differ only in letter case (the
// Western code page's letters included).
bool SameRegistryName(const std::string& a, const std::string& b);

// Why a path names no key.
enum PathFault {
  kPathUsable,
  kPathLeadingBackslash,  // a path can not start with "\"
  kPathNameTooLong,       // a name longer than kMaxKeyNameLength
  kPathTooLong,           // a path longer than kMaxAnsiPathLength
  kPathMissing            // opening only: a key on the way does not exist
};

struct KeyReach {
  ModelKey* key;  // nullptr when the path is refused or missing
  PathFault fault;
  bool created;  // the last key of the path is new
  // The first key of the path whose stored spelling differs from the
  // path's, or nullptr.
  const ModelKey* respelled;
};

// Creates or opens `path` below `base` as RegCreateKeyExA does it (on 9x
// one leading backslash is passed over; empty names between backslashes
// count as none; an empty path is `base` itself). A path refused for its
// length creates nothing; a name that is too long stops the creation there,
// and the keys before it stay.
KeyReach CreateModelKey(RegistryModel* model, ModelKey* base, const char* path, unsigned line);

// Opens `path` below `base` as RegOpenKeyExA does it.
KeyReach OpenModelKey(RegistryModel* model, ModelKey* base, const char* path);

// The key at `path` below `base` (as OpenModelKey finds it), or nullptr.
const ModelKey* FindModelKey(const ModelKey* base, const char* path);

ModelValue* FindModelValue(ModelKey* key, const std::string& name);

// Sets a value; an existing one of the same name keeps its spelling.
// Returns what the value held before (type 0 when it did not exist).
ModelValue SetModelValue(ModelKey* key, const std::string& name, unsigned long type,
                         const std::string& data, unsigned line);

// Deletes a value; false when it does not exist.
bool DeleteModelValue(ModelKey* key, const std::string& name);

// Deletes `path` below `base` as RegDeleteKeyA does it: on NT only when it
// has no subkeys; on 9x with its subkeys, as far as the platform's walk over
// them reaches (see DeleteNineXKey). False when the key stays.
bool DeleteModelKey(RegistryModel* model, ModelKey* base, const char* path);

// Removes every subkey of `key`; its values stay.
void DeleteModelSubkeys(ModelKey* key);

// "HKEY_LOCAL_MACHINE\..." with every name in its stored spelling.
std::string FullKeyName(const ModelKey* key);

#endif
