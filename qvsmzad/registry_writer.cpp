#include "registry_writer.h"

#include <cstring>
#include <ctime>

#include "delete_subkeys.h"
#include "numbers.h"
#include "text.h"
#include "time_stamp.h"

namespace {

const char kSoftModemKey[] = "SOFTWARE\\TAVELIN\\SoftModem";
const char kCountryKey[] = "SOFTWARE\\TAVELIN\\SoftModem\\Country";

HKEY CreateKey(HKEY parent, const char* path, REGSAM rights) {
  HKEY key;
  DWORD disposition;
  char noClass[] = "";
  if (RegCreateKeyExA(parent, path, 0, noClass, REG_OPTION_NON_VOLATILE, rights, nullptr, &key,
                      &disposition) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

void SetFourByteValue(HKEY key, const char* name, uint32_t value) {
  unsigned char bytes[4];
  StoreLittleEndian(value, bytes);
  RegSetValueExA(key, name, 0, REG_BINARY, bytes, sizeof bytes);
}

// Sets `name` followed by `suffix` ("_min" or "_max").
void SetBound(HKEY key, const char* name, const char* suffix, int32_t value) {
  char boundName[kFieldSize + 4];
  if (!CopyText(boundName, sizeof boundName, name)) return;
  const size_t length = strlen(boundName);
  if (!CopyText(boundName + length, sizeof boundName - length, suffix)) return;
  SetFourByteValue(key, boundName, static_cast<uint32_t>(value));
}

bool ValueExists(HKEY key, const char* name) {
  DWORD size = 0;
  const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size);
  return result == ERROR_SUCCESS || result == ERROR_MORE_DATA;
}

void DeleteRegistryLineValue(const RegistryLine& line) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, line.keyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
    return;
  }
  RegDeleteValueA(key, line.valueName);
  RegCloseKey(key);
}

void WriteRegistryLineValue(const RegistryLine& line) {
  HKEY key =
      CreateKey(HKEY_LOCAL_MACHINE, line.keyPath, KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
  if (key == nullptr) return;
  if (!(line.typeCode & kKeepExistingBit) || !ValueExists(key, line.valueName)) {
    const DWORD type = (line.typeCode & kByteDataBit) ? REG_BINARY : REG_SZ;
    RegSetValueExA(key, line.valueName, 0, type, line.data, line.dataSize);
  }
  RegCloseKey(key);
}

}  // namespace

void WriteTimeStamp() {
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, kSoftModemKey, KEY_WRITE);
  if (key == nullptr) return;
  unsigned char bytes[4];
  TimeStampBytes(static_cast<int64_t>(time(nullptr)), bytes);
  RegSetValueExA(key, "HomolTimeStamp", 0, REG_BINARY, bytes, sizeof bytes);
  RegCloseKey(key);
}

HKEY ResetCountryKey() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCountryKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    DeleteSubkeys(key);
    return key;
  }
  return CreateKey(HKEY_LOCAL_MACHINE, kCountryKey, KEY_WRITE);
}

void DeleteCountryKey() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kCountryKey); }

HKEY CreateWritableKey(HKEY parent, const char* path) { return CreateKey(parent, path, KEY_WRITE); }

void WriteCountryValue(HKEY sectionKey, const CountryValue& value) {
  SetFourByteValue(sectionKey, value.name, static_cast<uint32_t>(value.value));
  if (!value.hasBounds) return;
  SetBound(sectionKey, value.name, "_min", value.minimum);
  SetBound(sectionKey, value.name, "_max", value.maximum);
}

void CreateDisabledKey(HKEY countryKey, const char* code) {
  char path[sizeof "Disabled\\" + 2];
  CopyText(path, sizeof path, "Disabled\\");
  CopyText(path + strlen(path), sizeof path - strlen(path), code);
  HKEY key = CreateWritableKey(countryKey, path);
  if (key != nullptr) RegCloseKey(key);
}

void ApplyRegistryLine(const RegistryLine& line) {
  if (line.deletion)
    DeleteRegistryLineValue(line);
  else
    WriteRegistryLineValue(line);
}
