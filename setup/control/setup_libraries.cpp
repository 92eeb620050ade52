#include "setup_libraries.h"

#include "../base/log.h"
#include "../base/log_rules.h"
#include "../files/driver_sets.h"

namespace {

// Capacity of each wide text handed to InstallClassDevice, terminator included.
const size_t kClassDeviceTextSize = 64;

// The entries as the libraries export them, called by the wrappers.
SetupEntries Exported;

void StartCallText(LogText* log, const char* entry) {
  StartLogText(log, "call ");
  AddLogText(log, entry);
}

void EndCallText(LogText* log, int result) {
  AddLogText(log, " = ");
  AddLogNumber(log, result);
}

int CallPlain(const char* name, PlainEntry entry) {
  const int result = entry();
  LogText log;
  StartCallText(&log, name);
  AddLogText(&log, "()");
  EndCallText(&log, result);
  LogEvent(log.Text);
  return result;
}

int __cdecl LoggedRefreshWin2K() { return CallPlain("RefreshWin2K", Exported.RefreshWin2K); }
int __cdecl LoggedRemoveModem() { return CallPlain("RemoveModem", Exported.RemoveModem); }
int __cdecl LoggedWDMDeleteDevice() {
  return CallPlain("WDMDeleteDevice", Exported.WDMDeleteDevice);
}
int __cdecl LoggedRemoveDisabledModem() {
  return CallPlain("RemoveDisabledModem", Exported.RemoveDisabledModem);
}
int __cdecl LoggedDeleteOtherDevice() {
  return CallPlain("DeleteOtherDevice", Exported.DeleteOtherDevice);
}
int __cdecl LoggedRemovePort() { return CallPlain("RemovePort", Exported.RemovePort); }
int __cdecl LoggedRemoveNTService() {
  return CallPlain("RemoveNTService", Exported.RemoveNTService);
}

// What the lookup handed back: the INF name and the flag.
int __cdecl LoggedGetInfByPci(char* infName, int* flag) {
  const int result = Exported.GetInfByPci(infName, flag);
  LogText log;
  StartCallText(&log, "GetInfByPci(INF name, flag)");
  EndCallText(&log, result);
  AddLogText(&log, ": INF name ");
  AddLogQuoted(&log, infName, kNT4InfNameSize);
  AddLogText(&log, ", flag ");
  AddLogNumber(&log, *flag);
  LogEvent(log.Text);
  return result;
}

// The id counts only with a non-zero result.
int __cdecl LoggedGetHardWareId(char* hardwareId) {
  const int result = Exported.GetHardWareId(hardwareId);
  LogText log;
  StartCallText(&log, "GetHardWareId(id)");
  EndCallText(&log, result);
  if (result) {
    AddLogText(&log, ": id ");
    AddLogQuoted(&log, hardwareId, kHardwareIdSize);
  }
  LogEvent(log.Text);
  return result;
}

int __cdecl LoggedUpdateNT5Device(const wchar_t* hardwareId, const wchar_t* infName) {
  const int result = Exported.UpdateNT5Device(hardwareId, infName);
  LogText log;
  StartCallText(&log, "UpdateNT5Device(");
  AddLogWideQuoted(&log, hardwareId);
  AddLogText(&log, ", ");
  AddLogWideQuoted(&log, infName);
  AddLogText(&log, ")");
  EndCallText(&log, result);
  LogEvent(log.Text);
  return result;
}

int __cdecl LoggedInstallClassDevice(const wchar_t* className, const wchar_t* deviceName,
                                     const wchar_t* description, int flags) {
  const int result = Exported.InstallClassDevice(className, deviceName, description, flags);
  LogText log;
  StartCallText(&log, "InstallClassDevice(");
  AddLogWideQuoted(&log, className);
  AddLogText(&log, ", ");
  AddLogWideQuoted(&log, deviceName);
  AddLogText(&log, ", ");
  AddLogWideQuoted(&log, description);
  AddLogText(&log, ", ");
  AddLogNumber(&log, flags);
  AddLogText(&log, ")");
  EndCallText(&log, result);
  LogEvent(log.Text);
  return result;
}

// A wrapper stands in for the bound entry, which it then calls; an entry
// already wrapped stays as it is, or the wrapper would call itself.
template <typename Entry>
void Wrap(Entry* bound, Entry* exported, Entry logged) {
  if (!*bound || *bound == logged) return;
  *exported = *bound;
  *bound = logged;
}

// Puts a logging wrapper in place of every entry of the record that is
// bound and not wrapped yet. Does nothing while the log is closed.
void LogEntryCalls(SetupEntries* entries) {
  if (!InstallLogOpen()) return;
  Wrap(&entries->RefreshWin2K, &Exported.RefreshWin2K, LoggedRefreshWin2K);
  Wrap(&entries->RemoveModem, &Exported.RemoveModem, LoggedRemoveModem);
  Wrap(&entries->WDMDeleteDevice, &Exported.WDMDeleteDevice, LoggedWDMDeleteDevice);
  Wrap(&entries->RemoveDisabledModem, &Exported.RemoveDisabledModem, LoggedRemoveDisabledModem);
  Wrap(&entries->DeleteOtherDevice, &Exported.DeleteOtherDevice, LoggedDeleteOtherDevice);
  Wrap(&entries->RemovePort, &Exported.RemovePort, LoggedRemovePort);
  Wrap(&entries->RemoveNTService, &Exported.RemoveNTService, LoggedRemoveNTService);
  Wrap(&entries->GetInfByPci, &Exported.GetInfByPci, LoggedGetInfByPci);
  Wrap(&entries->GetHardWareId, &Exported.GetHardWareId, LoggedGetHardWareId);
  Wrap(&entries->UpdateNT5Device, &Exported.UpdateNT5Device, LoggedUpdateNT5Device);
  Wrap(&entries->InstallClassDevice, &Exported.InstallClassDevice, LoggedInstallClassDevice);
}

// A library that does not load fails the run without a message (the entry
// has turned the system's own error boxes off for the whole run).
bool LoadByName(HMODULE* handle, const char* name) {
  if (!*handle) {
    *handle = LoadLibraryA(name);
    LogOutcome("load", name, nullptr, *handle ? 0 : GetLastError());
  }
  return *handle != nullptr;
}

// Looks an entry up by its exported name; counts a miss in *missing.
template <typename Entry>
Entry Bind(HMODULE library, const char* name, int* missing) {
  FARPROC address = library ? GetProcAddress(library, name) : nullptr;
  if (!address) {
    LogOutcome("bind", name, nullptr, ERROR_PROC_NOT_FOUND);
    ++*missing;
  }
  // Through the generic function type: the entries are C functions with
  // their own argument lists, not FARPROC's.
  return reinterpret_cast<Entry>(reinterpret_cast<void (*)(void)>(address));
}

}  // namespace

bool LoadSetupLibrary1(SetupLibraries* libraries) {
  return LoadByName(&libraries->Library1, kLibrary1Name);
}

bool LoadSetupLibrary2(SetupLibraries* libraries) {
  return LoadByName(&libraries->Library2, kLibrary2Name);
}

bool LoadWin2000Libraries(SetupLibraries* libraries) {
  const bool first = LoadSetupLibrary1(libraries);
  const bool second = LoadSetupLibrary2(libraries);
  return first && second;
}

bool BindWin98Entries(SetupLibraries* libraries) {
  int missing = 0;
  SetupEntries bound = libraries->Entries;
  bound.RefreshWin2K = Bind<PlainEntry>(libraries->Library2, "RefreshWin2K", &missing);
  bound.RemoveModem = Bind<PlainEntry>(libraries->Library2, "RemoveModem", &missing);
  bound.DeleteOtherDevice = Bind<PlainEntry>(libraries->Library2, "DeleteOtherDevice", &missing);
  bound.WDMDeleteDevice = Bind<PlainEntry>(libraries->Library2, "WDMDeleteDevice", &missing);
  bound.RemoveDisabledModem =
      Bind<PlainEntry>(libraries->Library2, "RemoveDisabledModem", &missing);
  if (missing) return false;
  LogEntryCalls(&bound);
  libraries->Entries = bound;
  return true;
}

bool BindNT4Entries(SetupLibraries* libraries) {
  int missing = 0;
  SetupEntries bound = libraries->Entries;
  // NTGetINF is never called, but a library without it is not the one we ship with.
  Bind<PlainEntry>(libraries->Library2, "NTGetINF", &missing);
  bound.RemoveNTService = Bind<PlainEntry>(libraries->Library2, "RemoveNTService", &missing);
  bound.RemovePort = Bind<PlainEntry>(libraries->Library2, "RemovePort", &missing);
  bound.RemoveModem = Bind<PlainEntry>(libraries->Library2, "RemoveModem", &missing);
  bound.GetInfByPci = Bind<GetInfByPciEntry>(libraries->Library2, "GetInfByPci", &missing);
  if (missing) return false;
  LogEntryCalls(&bound);
  libraries->Entries = bound;
  return true;
}

bool BindWin2000Entries(SetupLibraries* libraries) {
  int missing = 0;
  SetupEntries bound = libraries->Entries;
  bound.UpdateNT5Device =
      Bind<UpdateNT5DeviceEntry>(libraries->Library1, "UpdateNT5Device", &missing);
  bound.GetHardWareId = Bind<GetHardWareIdEntry>(libraries->Library2, "GetHardWareId", &missing);
  bound.RefreshWin2K = Bind<PlainEntry>(libraries->Library2, "RefreshWin2K", &missing);
  if (missing) return false;
  LogEntryCalls(&bound);
  libraries->Entries = bound;
  return true;
}

bool NTInstallModemDevice(SetupLibraries* libraries) {
  wchar_t className[kClassDeviceTextSize];
  wchar_t deviceName[kClassDeviceTextSize];
  wchar_t description[kClassDeviceTextSize];
  WidenText(className, kClassDeviceTextSize, "Modem");
  WidenText(deviceName, kClassDeviceTextSize, "TAVELINSoftModem");
  WidenText(description, kClassDeviceTextSize, "TAVELIN Software Modem AMR");
  if (!LoadSetupLibrary1(libraries)) return false;
  int missing = 0;
  InstallClassDeviceEntry entry =
      Bind<InstallClassDeviceEntry>(libraries->Library1, "InstallClassDevice", &missing);
  if (missing) return false;
  libraries->Entries.InstallClassDevice = entry;
  LogEntryCalls(&libraries->Entries);
  libraries->Entries.InstallClassDevice(className, deviceName, description, 0);
  return true;
}

void UnloadSetupLibraries(SetupLibraries* libraries) {
  if (libraries->Library1) {
    FreeLibrary(libraries->Library1);
    libraries->Library1 = nullptr;
  }
  if (libraries->Library2) {
    FreeLibrary(libraries->Library2);
    libraries->Library2 = nullptr;
  }
}
