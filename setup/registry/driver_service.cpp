#include "driver_service.h"

#include <windows.h>

#include "../control/install_log.h"
#include "../control/options.h"
#include "../files/path_text.h"
#include "../files/setup_paths.h"

static const char DriverServiceKey[] = "SYSTEM\\Currentcontrolset\\services\\TAVELINSoftModem";
static const char ImagePrefix[] = "\\??\\";
static const char DriverFile[] = "\\qvsm.sys";

static void ReportServiceError() {
  DebugMessage(nullptr, "Error initialising service", "dbg", 0);
}

static void WriteText(HKEY key, const char* name, const char* text) {
  const LONG status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                     lstrlenA(text) + 1);
  if (LogTextValueSet(DriverServiceKey, name, text, status) != ERROR_SUCCESS) ReportServiceError();
}

static void WriteNumber(HKEY key, const char* name, DWORD number) {
  const LONG status = RegSetValueExA(key, name, 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&number), sizeof number);
  if (LogNumberValueSet(DriverServiceKey, name, number, status) != ERROR_SUCCESS)
    ReportServiceError();
}

void CreateDriverService() {
  HKEY key;
  DWORD disposition;
  const LONG created =
      RegCreateKeyExA(HKEY_LOCAL_MACHINE, DriverServiceKey, 0, const_cast<char*>(""),
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition);
  if (LogKeyCreated(DriverServiceKey, created) != ERROR_SUCCESS) {
    ReportServiceError();
    return;
  }
  // Room for the longest DriversDir: the object path is never cut.
  char imagePath[sizeof ImagePrefix - 1 + SetupPathSize + sizeof DriverFile];
  char withPrefix[sizeof imagePath];
  if (AppendText(withPrefix, sizeof withPrefix, ImagePrefix, SetupPaths.DriversDir) &&
      AppendText(imagePath, sizeof imagePath, withPrefix, DriverFile))
    WriteText(key, "ImagePath", imagePath);
  else
    ReportServiceError();
  WriteText(key, "displayname", "Tavelin Software Modem AMR");
  WriteNumber(key, "errorcontrol", 0);
  WriteNumber(key, "forcefifoenable", 1);
  WriteNumber(key, "logfifo", 0);
  WriteNumber(key, "permitshare", 1);
  WriteNumber(key, "rxfifo", 8);
  WriteNumber(key, "start", 2);
  WriteNumber(key, "txfifo", 1);
  WriteNumber(key, "type", 1);
  RegCloseKey(key);
}

void RemoveBrandSettingsKey() {
  if (SetupOptions.CleanUpRegistry) DeleteKeyTree("Software\\Tavelin\\Softmodem");
}

// Deletes the tree at path; true when the key at path is gone.
static bool DeleteTree(const char* path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    // Subkeys that survive stay at the front of the enumeration; index
    // counts them, so that every step either deletes a key or moves on.
    for (DWORD index = 0;;) {
      char name[256];
      DWORD nameSize = sizeof name;
      if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      char child[SetupPathSize];
      if (!JoinPath(child, path, name) || !DeleteTree(child)) ++index;
    }
    RegCloseKey(key);
  }
  return LogKeyDeleted(path, RegDeleteKeyA(HKEY_LOCAL_MACHINE, path)) == ERROR_SUCCESS;
}

void DeleteKeyTree(const char* path) {
  if (lstrlenA(path) < static_cast<int>(SetupPathSize)) DeleteTree(path);
}
