#include "setup_libraries.h"

#include "../base/log.h"
#include "../base/log_rules.h"
#include "../files/driver_sets.h"
#include "../registry/controller_detection_rules.h"

namespace {

// Capacity of each wide text handed to InstallClassDevice, terminator included.
const size_t kClassDeviceTextSize = 64;

void StartCallText(LogText* log, const char* entry) {
  StartLogText(log, "call ");
  AddLogText(log, entry);
}

void EndCallText(LogText* log, int result) {
  AddLogText(log, " = ");
  AddLogNumber(log, result);
}

int CallPlain(Host& host, const char* name, EntryHandle entry) {
  const int result = host.system->CallPlainEntry(entry);
  LogText log;
  StartCallText(&log, name);
  AddLogText(&log, "()");
  EndCallText(&log, result);
  LogEvent(host, log.Text);
  return result;
}

// A library that does not load fails the run without a message (the entry
// has turned the system's own error boxes off for the whole run).
bool LoadByName(Host& host, LibraryHandle* handle, const char* name) {
  if (!*handle) {
    LibraryHandle loaded = nullptr;
    const SystemStatus status = host.system->OpenLibrary(name, &loaded);
    LogOutcome(host, "load", name, nullptr, status);
    if (status == kStatusSuccess) *handle = loaded;
  }
  return *handle != nullptr;
}

// Looks an entry up by its exported name; counts a miss in *missing.
EntryHandle Bind(Host& host, LibraryHandle library, const char* name, int* missing) {
  EntryHandle entry = library ? host.system->FindEntry(library, name) : nullptr;
  if (!entry) {
    LogOutcome(host, "bind", name, nullptr, kStatusProcNotFound);
    ++*missing;
  }
  return entry;
}

}  // namespace

bool LoadSetupLibrary1(Host& host, SetupLibraries* libraries) {
  return LoadByName(host, &libraries->Library1, kLibrary1Name);
}

bool LoadSetupLibrary2(Host& host, SetupLibraries* libraries) {
  return LoadByName(host, &libraries->Library2, kLibrary2Name);
}

bool LoadWin2000Libraries(Host& host, SetupLibraries* libraries) {
  const bool first = LoadSetupLibrary1(host, libraries);
  const bool second = LoadSetupLibrary2(host, libraries);
  return first && second;
}

bool BindWin98Entries(Host& host, SetupLibraries* libraries) {
  int missing = 0;
  SetupEntries bound = libraries->Entries;
  LibraryHandle library = libraries->Library2;
  bound.RefreshWin2K = Bind(host, library, "RefreshWin2K", &missing);
  bound.RemoveModem = Bind(host, library, "RemoveModem", &missing);
  bound.DeleteOtherDevice = Bind(host, library, "DeleteOtherDevice", &missing);
  bound.WDMDeleteDevice = Bind(host, library, "WDMDeleteDevice", &missing);
  bound.RemoveDisabledModem = Bind(host, library, "RemoveDisabledModem", &missing);
  if (missing) return false;
  libraries->Entries = bound;
  return true;
}

bool BindNT4Entries(Host& host, SetupLibraries* libraries) {
  int missing = 0;
  SetupEntries bound = libraries->Entries;
  LibraryHandle library = libraries->Library2;
  // NTGetINF is never called, but a library without it is not the one we ship with.
  Bind(host, library, "NTGetINF", &missing);
  bound.RemoveNTService = Bind(host, library, "RemoveNTService", &missing);
  bound.RemovePort = Bind(host, library, "RemovePort", &missing);
  bound.RemoveModem = Bind(host, library, "RemoveModem", &missing);
  bound.GetInfByPci = Bind(host, library, "GetInfByPci", &missing);
  if (missing) return false;
  libraries->Entries = bound;
  return true;
}

bool BindWin2000Entries(Host& host, SetupLibraries* libraries) {
  int missing = 0;
  SetupEntries bound = libraries->Entries;
  bound.UpdateNT5Device = Bind(host, libraries->Library1, "UpdateNT5Device", &missing);
  bound.GetHardWareId = Bind(host, libraries->Library2, "GetHardWareId", &missing);
  bound.RefreshWin2K = Bind(host, libraries->Library2, "RefreshWin2K", &missing);
  if (missing) return false;
  libraries->Entries = bound;
  return true;
}

bool NTInstallModemDevice(Host& host, SetupLibraries* libraries) {
  wchar_t className[kClassDeviceTextSize];
  wchar_t deviceName[kClassDeviceTextSize];
  wchar_t description[kClassDeviceTextSize];
  WidenText(className, kClassDeviceTextSize, "Modem");
  WidenText(deviceName, kClassDeviceTextSize, "TAVELINSoftModem");
  WidenText(description, kClassDeviceTextSize, "TAVELIN Software Modem AMR");
  if (!LoadSetupLibrary1(host, libraries)) return false;
  int missing = 0;
  EntryHandle entry = Bind(host, libraries->Library1, "InstallClassDevice", &missing);
  if (missing) return false;
  const int result =
      host.system->CallInstallClassDevice(entry, className, deviceName, description, 0);
  LogText log;
  StartCallText(&log, "InstallClassDevice(");
  AddLogWideQuoted(&log, className);
  AddLogText(&log, ", ");
  AddLogWideQuoted(&log, deviceName);
  AddLogText(&log, ", ");
  AddLogWideQuoted(&log, description);
  AddLogText(&log, ", 0)");
  EndCallText(&log, result);
  LogEvent(host, log.Text);
  return true;
}

void UnloadSetupLibraries(Host& host, SetupLibraries* libraries) {
  if (libraries->Library1) {
    host.system->CloseLibrary(libraries->Library1);
    libraries->Library1 = nullptr;
  }
  if (libraries->Library2) {
    host.system->CloseLibrary(libraries->Library2);
    libraries->Library2 = nullptr;
  }
}

int CallRefreshWin2K(Host& host, const SetupLibraries& libraries) {
  return CallPlain(host, "RefreshWin2K", libraries.Entries.RefreshWin2K);
}

int CallRemoveModem(Host& host, const SetupLibraries& libraries) {
  return CallPlain(host, "RemoveModem", libraries.Entries.RemoveModem);
}

int CallWDMDeleteDevice(Host& host, const SetupLibraries& libraries) {
  return CallPlain(host, "WDMDeleteDevice", libraries.Entries.WDMDeleteDevice);
}

int CallRemoveDisabledModem(Host& host, const SetupLibraries& libraries) {
  return CallPlain(host, "RemoveDisabledModem", libraries.Entries.RemoveDisabledModem);
}

int CallDeleteOtherDevice(Host& host, const SetupLibraries& libraries) {
  return CallPlain(host, "DeleteOtherDevice", libraries.Entries.DeleteOtherDevice);
}

int CallRemovePort(Host& host, const SetupLibraries& libraries) {
  return CallPlain(host, "RemovePort", libraries.Entries.RemovePort);
}

int CallRemoveNTService(Host& host, const SetupLibraries& libraries) {
  return CallPlain(host, "RemoveNTService", libraries.Entries.RemoveNTService);
}

// What the lookup handed back: the INF name and the flag.
int CallGetInfByPci(Host& host, const SetupLibraries& libraries, char* infName, int* flag) {
  const int result = host.system->CallGetInfByPci(libraries.Entries.GetInfByPci, infName, flag);
  LogText log;
  StartCallText(&log, "GetInfByPci(INF name, flag)");
  EndCallText(&log, result);
  AddLogText(&log, ": INF name ");
  AddLogQuoted(&log, infName, kNT4InfNameSize);
  AddLogText(&log, ", flag ");
  AddLogNumber(&log, *flag);
  LogEvent(host, log.Text);
  return result;
}

// The id counts only with a non-zero result.
int CallGetHardWareId(Host& host, const SetupLibraries& libraries, char* hardwareId) {
  const int result = host.system->CallGetHardWareId(libraries.Entries.GetHardWareId, hardwareId);
  LogText log;
  StartCallText(&log, "GetHardWareId(id)");
  EndCallText(&log, result);
  if (result) {
    AddLogText(&log, ": id ");
    AddLogQuoted(&log, hardwareId, kHardwareIdSize);
  }
  LogEvent(host, log.Text);
  return result;
}

int CallUpdateNT5Device(Host& host, const SetupLibraries& libraries, const wchar_t* hardwareId,
                        const wchar_t* infName) {
  const int result =
      host.system->CallUpdateNT5Device(libraries.Entries.UpdateNT5Device, hardwareId, infName);
  LogText log;
  StartCallText(&log, "UpdateNT5Device(");
  AddLogWideQuoted(&log, hardwareId);
  AddLogText(&log, ", ");
  AddLogWideQuoted(&log, infName);
  AddLogText(&log, ")");
  EndCallText(&log, result);
  LogEvent(host, log.Text);
  return result;
}
