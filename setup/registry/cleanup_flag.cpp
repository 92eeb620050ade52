#include "cleanup_flag.h"

#include <windows.h>

#include "../control/install_log.h"

static const char BrandKey[] = "Software\\Tavelin";

void WriteCleanUpFlag(const char* flag) {
  HKEY key;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, BrandKey, 0, KEY_ALL_ACCESS, &key);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExA(key, "CleanUpRegistry", 0, REG_SZ, reinterpret_cast<const BYTE*>(flag),
                            lstrlenA(flag) + 1);
    RegCloseKey(key);
  }
  LogTextValueSet(BrandKey, "CleanUpRegistry", flag, status);
}
