#include "delete_subkeys.h"

void DeleteSubkeys(HKEY key) {
  // Subkeys are walked by index. A deletion moves the later subkeys down by
  // one, so the index stays; a subkey that can not be deleted is passed over,
  // so the walk never comes back to it and ends.
  DWORD index = 0;
  for (;;) {
    char name[256];
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      return;
    }
    HKEY subkey;
    if (RegOpenKeyExA(key, name, 0, KEY_ALL_ACCESS, &subkey) == ERROR_SUCCESS) {
      DeleteSubkeys(subkey);
      RegCloseKey(subkey);
    }
    if (RegDeleteKeyA(key, name) != ERROR_SUCCESS) ++index;
  }
}
