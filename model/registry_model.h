// A registry in memory with the rules that the writes of qvsmzad and setup meet:
// names compare without regard to letter case and keep their first spelling,
// paths are taken apart as the registry does it, names have length limits,
// and the platforms differ where noted. Windows 95 to ME and NT 4.0 to 2000
// follow Windows' documentation; the test platform (Wine, set to either
// family) is a platform of its own. Where a family's documentation says
// nothing, the model does what the test platform does and says so.
#ifndef MODEL_REGISTRY_MODEL_H
#define MODEL_REGISTRY_MODEL_H

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "code_page.h"

enum RegistryPlatform {
  kPlatformNt,      // Windows NT 4.0 and 2000
  kPlatform9x,      // Windows 95, 98 and ME
  kPlatformWineNt,  // the test platform set to NT 4.0 or 2000
  kPlatformWine9x,  // the test platform set to 95, 98 or ME
  kPlatformCount
};

bool NineXFamily(RegistryPlatform platform);
bool TestPlatform(RegistryPlatform platform);
// "nt", "9x", "winent", "wine9x": the names of --platform.
const char* PlatformName(RegistryPlatform platform);
bool FindPlatform(const char* name, RegistryPlatform* platform);

// The longest names and data that the platform's registry takes, in
// characters of the ANSI code page and in bytes; 0 where none applies.
struct RegistryLimits {
  size_t keyName;
  size_t valueName;
  size_t valueData;
  size_t keyValues;  // all names and data of one key (Windows 95)
};
RegistryLimits LimitsOf(RegistryPlatform platform);

// The longest path that RegCreateKeyExA and RegOpenKeyExA take: they widen
// it into a buffer of the thread that holds 260 characters.
enum { kMaxAnsiPathLength = 260 };

enum { kTypeString = 1, kTypeBinary = 3 };  // REG_SZ, REG_BINARY

// What a family's documentation leaves open at a call; the model does what
// the test platform does there. Bits.
enum Undocumented {
  kUndocumentedEmptyName = 2,   // a doubled or trailing backslash
  kUndocumentedPathLength = 4,  // a path longer than 260 characters
  kUndocumentedFolding = 8,     // 9x: names equal only in the case of non-ASCII letters
  kUndocumentedTrailByte = 16   // 9x: a trail byte 5C of a double-byte character
};

// A name as the registry compares it: its characters in lower case, with a
// hash that tells most unequal names apart at once.
struct FoldedName {
  std::u32string characters;
  size_t hash;
};

inline bool operator==(const FoldedName& a, const FoldedName& b) {
  return a.hash == b.hash && a.characters == b.characters;
}

struct ModelValue {
  std::string name;  // the first spelling
  FoldedName folded;
  unsigned long type;
  std::string data;     // the stored bytes; a string with its terminator
  unsigned firstLine;   // line of the file that created it (0: before any line)
  unsigned lastLine;    // line that last wrote it
  bool onlyWhenAbsent;  // the last write keeps an existing value (type code 2 or 3)
};

struct ModelKey {
  std::string name;  // the first spelling
  FoldedName folded;
  ModelKey* parent;
  unsigned createdLine;
  std::vector<ModelValue> values;  // in the order of creation
  std::vector<std::unique_ptr<ModelKey>> subkeys;
  std::vector<std::string> deletedValues;  // names that a deletion reached here
  // The hashes of the folded names, to the positions in `values` and to the
  // subkeys, so that a file of thousands of names is modelled in linear time.
  std::unordered_multimap<size_t, size_t> valuePositions;
  std::unordered_multimap<size_t, ModelKey*> subkeysByName;
  size_t valueBytes;  // the names and data of all values
};

struct RegistryModel {
  RegistryPlatform platform;
  CodePage codePage;  // the ANSI code page of names
  ModelKey machine;   // HKEY_LOCAL_MACHINE
};

void StartRegistryModel(RegistryModel* model, RegistryPlatform platform, unsigned codePage);

// Makes `to` a copy of `from` whose keys and values are its own.
void CopyRegistryModel(const RegistryModel& from, RegistryModel* to);

// Registry names are equal when their characters in the model's code page
// differ only in letter case.
bool SameRegistryName(const RegistryModel& model, const std::string& a, const std::string& b);

// Why a path names no key, or a value is not written.
enum PathFault {
  kPathUsable,
  kPathLeadingBackslash,  // a path can not start with "\"
  kPathNameTooLong,       // a key name longer than the platform's limit
  kRegistryPathTooLong,   // a path longer than kMaxAnsiPathLength
  kPathMissing,           // opening only: a key on the way does not exist
  kValueNameRefused,      // a value name longer than the platform's limit
  kValueDataRefused       // data longer than the platform's limit
};

struct KeyReach {
  ModelKey* key;  // nullptr when the path is refused or missing
  PathFault fault;
  bool created;  // the last key of the path is new
  // The first key of the path whose stored spelling differs from the
  // path's, or nullptr.
  const ModelKey* respelled;
  unsigned undocumented;  // Undocumented bits met on the way
};

// Creates or opens `path` below `base` as RegCreateKeyExA does it. A path
// refused for its length creates nothing; a name that is too long stops the
// creation there, and the keys before it stay.
KeyReach CreateModelKey(RegistryModel* model, ModelKey* base, const char* path, unsigned line);

// Opens `path` below `base` as RegOpenKeyExA does it.
KeyReach OpenModelKey(RegistryModel* model, ModelKey* base, const char* path);

// The key at `path` below `base` (as OpenModelKey finds it), or nullptr.
const ModelKey* FindModelKey(const RegistryModel& model, const ModelKey* base, const char* path);

// The value of that name, or nullptr; `undocumented` gets
// kUndocumentedFolding when only the folding of non-ASCII letters on 9x
// makes the names one.
ModelValue* FindModelValue(const RegistryModel& model, ModelKey* key, const std::string& name,
                           unsigned* undocumented);

// Sets a value as RegSetValueExA does it; an existing one of the same name
// keeps its spelling. Returns the fault when the platform refuses the name
// or the data (nothing is written then), and in `before` what the value held
// (type 0 when it did not exist).
PathFault SetModelValue(RegistryModel* model, ModelKey* key, const std::string& name,
                        unsigned long type, const std::string& data, unsigned line,
                        ModelValue* before);

// Deletes a value; false when it does not exist.
bool DeleteModelValue(const RegistryModel& model, ModelKey* key, const std::string& name);

// Deletes `path` below `base` as RegDeleteKeyA does it: on NT only when it
// has no subkeys; on 9x with its whole tree; on the test platform set to 9x
// with its subkeys as far as that platform's walk over them reaches (see
// DeleteWineNineXKey). False when the key stays.
bool DeleteModelKey(RegistryModel* model, ModelKey* base, const char* path);

// Removes every subkey of `key`; its values stay.
void DeleteModelSubkeys(ModelKey* key);

// The names and data of all values of `key`, in bytes.
size_t KeyValuesSize(const ModelKey& key);

// "HKEY_LOCAL_MACHINE\..." with every name in its stored spelling.
std::string FullKeyName(const ModelKey* key);

#endif
