#include "setup_libraries.h"

#include "../base/log_rules.h"
#include "../files/driver_sets.h"
#include "../registry/controller_detection_rules.h"

namespace {

// Capacity of each wide text handed to InstallClassDevice, terminator included.
const size_t kClassDeviceTextSize = 64;

// Tells the call of the entry: the arguments handed in, where the log
// names them instead (or null), the answer and what it handed back (or
// null). Returns the answer.
int TellCall(Host& host, const char* name, const char* arguments, const char* parameters,
             int answer, const char* handedBack, bool failsRun = false) {
  RunEvent event = EventOf(kEventEntryCalled);
  event.failsRun = failsRun;
  event.name = name;
  event.text = arguments;
  event.parameters = parameters;
  event.number = answer;
  event.target = handedBack;
  TellListeners(host, event);
  return answer;
}

int CallPlain(Host& host, const char* name, EntryHandle entry) {
  return TellCall(host, name, "", nullptr, host.system->CallPlainEntry(entry), nullptr);
}

// An entry whose answer 0 fails the run (a refresh that did not start, an
// earlier service that stayed).
int CallFailingOnZero(Host& host, const char* name, EntryHandle entry) {
  const int answer = host.system->CallPlainEntry(entry);
  return TellCall(host, name, "", nullptr, answer, nullptr, answer == 0);
}

// A library that does not load fails the run without a message (the entry
// has turned the system's own error boxes off for the whole run).
bool LoadByName(Host& host, LibraryHandle* handle, const char* name) {
  if (!*handle) {
    LibraryHandle loaded = nullptr;
    RunEvent load =
        OutcomeEvent(kEventLibraryLoaded, name, nullptr, host.system->OpenLibrary(name, &loaded));
    load.failsRun = load.status != kStatusSuccess;
    TellListeners(host, load);
    if (!load.failsRun) *handle = loaded;
  }
  return *handle != nullptr;
}

// Looks an entry up by its exported name; counts a miss in *missing.
EntryHandle Bind(Host& host, LibraryHandle library, const char* name, int* missing) {
  EntryHandle entry = library ? host.system->FindEntry(library, name) : nullptr;
  if (!entry) {
    RunEvent unbound = OutcomeEvent(kEventEntryMissing, name, nullptr, kStatusProcNotFound);
    unbound.skipped = !library;
    unbound.failsRun = true;
    TellListeners(host, unbound);
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
  LogText arguments;
  StartLogText(&arguments, nullptr);
  AddLogWideQuoted(&arguments, className);
  AddLogText(&arguments, ", ");
  AddLogWideQuoted(&arguments, deviceName);
  AddLogText(&arguments, ", ");
  AddLogWideQuoted(&arguments, description);
  AddLogText(&arguments, ", 0");
  TellCall(host, "InstallClassDevice", arguments.Text, nullptr,
           host.system->CallInstallClassDevice(entry, className, deviceName, description, 0),
           nullptr);
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
  return CallFailingOnZero(host, "RefreshWin2K", libraries.Entries.RefreshWin2K);
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
  return CallFailingOnZero(host, "RemoveNTService", libraries.Entries.RemoveNTService);
}

// The INF name and the flag handed in, and what the lookup handed back.
int CallGetInfByPci(Host& host, const SetupLibraries& libraries, char* infName, int* flag) {
  LogText arguments, handedBack;
  StartLogText(&arguments, nullptr);
  AddLogQuoted(&arguments, infName, kNT4InfNameSize);
  AddLogText(&arguments, ", ");
  AddLogNumber(&arguments, *flag);
  const int result = host.system->CallGetInfByPci(libraries.Entries.GetInfByPci, infName, flag);
  StartLogText(&handedBack, ": INF name ");
  AddLogQuoted(&handedBack, infName, kNT4InfNameSize);
  AddLogText(&handedBack, ", flag ");
  AddLogNumber(&handedBack, *flag);
  return TellCall(host, "GetInfByPci", arguments.Text, "INF name, flag", result, handedBack.Text);
}

// The id counts only with a non-zero result.
int CallGetHardWareId(Host& host, const SetupLibraries& libraries, char* hardwareId) {
  const int result = host.system->CallGetHardWareId(libraries.Entries.GetHardWareId, hardwareId);
  LogText handedBack;
  if (result) {
    StartLogText(&handedBack, ": id ");
    AddLogQuoted(&handedBack, hardwareId, kHardwareIdSize);
  }
  return TellCall(host, "GetHardWareId", "", "id", result, result ? handedBack.Text : nullptr);
}

int CallUpdateNT5Device(Host& host, const SetupLibraries& libraries, const wchar_t* hardwareId,
                        const wchar_t* infName) {
  LogText arguments;
  StartLogText(&arguments, nullptr);
  AddLogWideQuoted(&arguments, hardwareId);
  AddLogText(&arguments, ", ");
  AddLogWideQuoted(&arguments, infName);
  return TellCall(host, "UpdateNT5Device", arguments.Text, nullptr,
                  host.system->CallUpdateNT5Device(libraries.Entries.UpdateNT5Device, hardwareId,
                                                   infName),
                  nullptr);
}
