#include "cleanup_flag.h"

#include <windows.h>

void WriteCleanUpFlag(const char* flag) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Tavelin", 0, KEY_ALL_ACCESS, &key) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExA(key, "CleanUpRegistry", 0, REG_SZ, reinterpret_cast<const BYTE*>(flag),
                 lstrlenA(flag) + 1);
  RegCloseKey(key);
}
