#include "driver_service.h"

#include <string.h>

#include "../base/log.h"
#include "../base/paths_rules.h"
#include "keys.h"

namespace {

const char kDriverServiceName[] = "TAVELINSoftModem";
const char kDriverServiceKey[] = "SYSTEM\\Currentcontrolset\\services\\TAVELINSoftModem";
const char kImagePrefix[] = "\\??\\";
const char kDriverFile[] = "\\qvsm.sys";
const char kBrandKey[] = "Software\\Tavelin";

// A service entry that is not written whole fails the run at its end.
void ReportServiceError(Host& host) {
  FailChange(host);
  DebugMessage(host, "Error initialising service", "dbg");
}

// Sets the value and tells it; false when it was not set.
bool WriteValue(Host& host, KeyHandle key, const char* path, const char* name, unsigned long type,
                const void* data, unsigned long size) {
  const SystemStatus status =
      host.system->SetValue(key, name, type, static_cast<const unsigned char*>(data), size);
  RunEvent set = ValueEvent(kEventValueSet, path, name, type, data, size, status);
  set.failsRun = status != kStatusSuccess;
  TellListeners(host, set);
  return status == kStatusSuccess;
}

void WriteText(Host& host, KeyHandle key, const char* name, const char* text) {
  if (!WriteValue(host, key, kDriverServiceKey, name, kRegistryString, text,
                  static_cast<unsigned long>(strlen(text) + 1)))
    ReportServiceError(host);
}

// The four bytes of the number, low byte first, as the registry keeps it.
void WriteNumber(Host& host, KeyHandle key, const char* name, unsigned long number) {
  const unsigned char data[4] = {static_cast<unsigned char>(number),
                                 static_cast<unsigned char>(number >> 8),
                                 static_cast<unsigned char>(number >> 16),
                                 static_cast<unsigned char>(number >> 24)};
  if (!WriteValue(host, key, kDriverServiceKey, name, kRegistryNumber, data, sizeof data))
    ReportServiceError(host);
}

}  // namespace

void CreateDriverService(Host& host, const char* driversDir) {
  KeyHandle key;
  RunEvent created = OutcomeEvent(kEventKeyCreated, kDriverServiceKey, nullptr,
                                  host.system->CreateKey(kDriverServiceKey, &key));
  created.failsRun = created.status != kStatusSuccess;
  TellListeners(host, created);
  if (created.failsRun) {
    ReportServiceError(host);
    return;
  }
  // Room for the longest DriversDir: the object path is never cut.
  char imagePath[sizeof kImagePrefix - 1 + kSetupPathSize + sizeof kDriverFile];
  char withPrefix[sizeof imagePath];
  if (AppendText(withPrefix, sizeof withPrefix, kImagePrefix, driversDir) &&
      AppendText(imagePath, sizeof imagePath, withPrefix, kDriverFile))
    WriteText(host, key, "ImagePath", imagePath);
  else
    ReportServiceError(host);
  WriteText(host, key, "displayname", "Tavelin Software Modem AMR");
  WriteNumber(host, key, "errorcontrol", 0);
  WriteNumber(host, key, "forcefifoenable", 1);
  WriteNumber(host, key, "logfifo", 0);
  WriteNumber(host, key, "permitshare", 1);
  WriteNumber(host, key, "rxfifo", 8);
  WriteNumber(host, key, "start", 2);
  WriteNumber(host, key, "txfifo", 1);
  WriteNumber(host, key, "type", 1);
  host.system->CloseKey(key);
}

bool DriverServiceRunning(Host& host) { return host.system->ServiceRunning(kDriverServiceName); }

void RemoveBrandSettingsKey(Host& host, bool cleanUpRegistry) {
  if (cleanUpRegistry) DeleteKeyTree(host, "Software\\Tavelin\\Softmodem");
}

void WriteCleanUpFlag(Host& host, const char* flag) {
  const unsigned long size = static_cast<unsigned long>(strlen(flag) + 1);
  KeyHandle key;
  const SystemStatus opened = host.system->OpenKey(kBrandKey, kKeyAllAccess, &key);
  RunEvent set =
      ValueEvent(kEventValueSet, kBrandKey, "CleanUpRegistry", kRegistryString, flag, size, opened);
  set.skipped = opened != kStatusSuccess;
  if (!set.skipped) {
    set.status = host.system->SetValue(key, set.name, kRegistryString, set.data, size);
    host.system->CloseKey(key);
  }
  // Without the brand key (no country settings written) there is nothing
  // to flag; a flag refused fails the run at its end.
  set.failsRun = set.status != kStatusSuccess && set.status != kStatusFileNotFound;
  if (set.status == kStatusFileNotFound) set.passedOver = "no brand key: nothing to flag";
  TellListeners(host, set);
  if (set.failsRun) FailChange(host);
}
