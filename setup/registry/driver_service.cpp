#include "driver_service.h"

#include <windows.h>

#include "../base/log.h"
#include "../base/paths_rules.h"
#include "keys.h"

namespace {

const char kDriverServiceName[] = "TAVELINSoftModem";
const char kDriverServiceKey[] = "SYSTEM\\Currentcontrolset\\services\\TAVELINSoftModem";
const char kImagePrefix[] = "\\??\\";
const char kDriverFile[] = "\\qvsm.sys";
const char kBrandKey[] = "Software\\Tavelin";

void ReportServiceError() { DebugMessage(nullptr, "Error initialising service", "dbg", 0); }

void WriteText(HKEY key, const char* name, const char* text) {
  const LONG status =
      RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
  if (LogTextValueSet(kDriverServiceKey, name, text, status) != ERROR_SUCCESS) ReportServiceError();
}

void WriteNumber(HKEY key, const char* name, DWORD number) {
  const LONG status = RegSetValueExA(key, name, 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&number), sizeof number);
  if (LogNumberValueSet(kDriverServiceKey, name, number, status) != ERROR_SUCCESS)
    ReportServiceError();
}

}  // namespace

void CreateDriverService(const char* driversDir) {
  HKEY key;
  DWORD disposition;
  const LONG created = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDriverServiceKey, 0,
                                       const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                                       KEY_ALL_ACCESS, nullptr, &key, &disposition);
  if (LogKeyCreated(kDriverServiceKey, created) != ERROR_SUCCESS) {
    ReportServiceError();
    return;
  }
  // Room for the longest DriversDir: the object path is never cut.
  char imagePath[sizeof kImagePrefix - 1 + kSetupPathSize + sizeof kDriverFile];
  char withPrefix[sizeof imagePath];
  if (AppendText(withPrefix, sizeof withPrefix, kImagePrefix, driversDir) &&
      AppendText(imagePath, sizeof imagePath, withPrefix, kDriverFile))
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

bool DriverServiceRunning() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return false;
  bool running = false;
  SC_HANDLE service = OpenServiceA(manager, kDriverServiceName, SERVICE_ALL_ACCESS);
  if (service) {
    SERVICE_STATUS status;
    running = QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  return running;
}

void RemoveBrandSettingsKey(bool cleanUpRegistry) {
  if (cleanUpRegistry) DeleteKeyTree("Software\\Tavelin\\Softmodem");
}

void WriteCleanUpFlag(const char* flag) {
  HKEY key;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrandKey, 0, KEY_ALL_ACCESS, &key);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExA(key, "CleanUpRegistry", 0, REG_SZ, reinterpret_cast<const BYTE*>(flag),
                            lstrlenA(flag) + 1);
    RegCloseKey(key);
  }
  LogTextValueSet(kBrandKey, "CleanUpRegistry", flag, status);
}
