#include "registry_text.h"

bool ReadValueText(HKEY key, const char* name, char* out, DWORD capacity) {
  DWORD size = capacity;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(out), &size) !=
      ERROR_SUCCESS)
    return false;
  out[size <= capacity ? size : capacity] = '\0';
  return true;
}
