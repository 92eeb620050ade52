#include "setup_libraries.h"

#include <windows.h>

#include "../registry/hardware_id.h"
#include "install_log.h"
#include "logged_entries.h"
#include "run_state.h"

SetupEntriesRecord SetupEntries;

// Capacity of each wide text handed to InstallClassDevice, terminator included.
static const size_t ClassDeviceTextSize = 64;

// A library that does not load fails the run without a message: the
// system's own error boxes (no disk in the drive, a damaged file) are
// turned off while it loads.
static int LoadByName(HMODULE* handle, const char* name) {
  if (!*handle) {
    const UINT earlierMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    *handle = LoadLibraryA(name);
    LogOutcome("load", name, nullptr, *handle ? 0 : GetLastError());
    SetErrorMode(earlierMode);
  }
  return *handle != nullptr;
}

int LoadSetupLibrary1() { return LoadByName(&Library1, Library1Name); }

int LoadSetupLibrary2() { return LoadByName(&Library2, Library2Name); }

int LoadWin2000Libraries() {
  const int first = LoadSetupLibrary1();
  const int second = LoadSetupLibrary2();
  return first && second;
}

// Looks an entry up by its exported name; counts a miss in *missing.
template <typename Entry>
static Entry Bind(HMODULE library, const char* name, int* missing) {
  FARPROC address = library ? GetProcAddress(library, name) : nullptr;
  if (!address) {
    LogOutcome("bind", name, nullptr, ERROR_PROC_NOT_FOUND);
    ++*missing;
  }
  // Through the generic function type: the entries are C functions with
  // their own argument lists, not FARPROC's.
  return reinterpret_cast<Entry>(reinterpret_cast<void (*)(void)>(address));
}

int BindWin98Entries() {
  int missing = 0;
  SetupEntriesRecord bound = SetupEntries;
  bound.RefreshWin2K = Bind<PlainEntry>(Library2, "RefreshWin2K", &missing);
  bound.RemoveModem = Bind<PlainEntry>(Library2, "RemoveModem", &missing);
  bound.DeleteOtherDevice = Bind<PlainEntry>(Library2, "DeleteOtherDevice", &missing);
  bound.WDMDeleteDevice = Bind<PlainEntry>(Library2, "WDMDeleteDevice", &missing);
  bound.RemoveDisabledModem = Bind<PlainEntry>(Library2, "RemoveDisabledModem", &missing);
  if (missing) return 0;
  LogEntryCalls(&bound);
  SetupEntries = bound;
  return 1;
}

int BindNT4Entries() {
  int missing = 0;
  SetupEntriesRecord bound = SetupEntries;
  // NTGetINF is never called, but a library without it is not the one we ship with.
  Bind<PlainEntry>(Library2, "NTGetINF", &missing);
  bound.RemoveNTService = Bind<PlainEntry>(Library2, "RemoveNTService", &missing);
  bound.RemovePort = Bind<PlainEntry>(Library2, "RemovePort", &missing);
  bound.RemoveModem = Bind<PlainEntry>(Library2, "RemoveModem", &missing);
  bound.GetInfByPci = Bind<GetInfByPciEntry>(Library2, "GetInfByPci", &missing);
  if (missing) return 0;
  LogEntryCalls(&bound);
  SetupEntries = bound;
  return 1;
}

int BindWin2000Entries() {
  int missing = 0;
  SetupEntriesRecord bound = SetupEntries;
  bound.UpdateNT5Device = Bind<UpdateNT5DeviceEntry>(Library1, "UpdateNT5Device", &missing);
  bound.GetHardWareId = Bind<GetHardWareIdEntry>(Library2, "GetHardWareId", &missing);
  bound.RefreshWin2K = Bind<PlainEntry>(Library2, "RefreshWin2K", &missing);
  if (missing) return 0;
  LogEntryCalls(&bound);
  SetupEntries = bound;
  return 1;
}

int NTInstallModemDevice() {
  wchar_t className[ClassDeviceTextSize];
  wchar_t deviceName[ClassDeviceTextSize];
  wchar_t description[ClassDeviceTextSize];
  WidenText(className, ClassDeviceTextSize, "Modem");
  WidenText(deviceName, ClassDeviceTextSize, "TAVELINSoftModem");
  WidenText(description, ClassDeviceTextSize, "TAVELIN Software Modem AMR");
  if (!LoadSetupLibrary1()) return 0;
  int missing = 0;
  InstallClassDeviceEntry entry =
      Bind<InstallClassDeviceEntry>(Library1, "InstallClassDevice", &missing);
  if (missing) return 0;
  SetupEntries.InstallClassDevice = entry;
  LogEntryCalls(&SetupEntries);
  SetupEntries.InstallClassDevice(className, deviceName, description, 0);
  return 1;
}
