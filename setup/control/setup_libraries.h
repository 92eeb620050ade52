// The setup libraries QVSETUP1.DLL and QVSETUP2.DLL beside setup.exe: loading
// by file name, binding entries by exported name, and the class-installer
// call of Windows NT 4.0. Entries use the C calling convention and return int.
// While the installation log is open, each bound entry is called through a
// wrapper that logs the call with the gist of its arguments and its result.
#ifndef SETUP_CONTROL_SETUP_LIBRARIES_H
#define SETUP_CONTROL_SETUP_LIBRARIES_H

#include <windows.h>

#include "../registry/controller_detection.h"

typedef int(__cdecl* PlainEntry)(void);
// infName: 256 characters; flag: 0 on entry, non-zero when the PCI lookup
// reports a mismatch.
typedef int(__cdecl* GetInfByPciEntry)(char* infName, int* flag);
// hardwareId: 528 characters; filled when the result is non-zero.
typedef int(__cdecl* GetHardWareIdEntry)(char* hardwareId);
typedef int(__cdecl* InstallClassDeviceEntry)(const wchar_t* className, const wchar_t* deviceName,
                                              const wchar_t* description, int flags);

// The bound entries, kept for the run; null until bound.
struct SetupEntries {
  PlainEntry RefreshWin2K;                     // library 2: Windows 98 family, Windows 2000
  PlainEntry RemoveModem;                      // library 2: Windows 98 family, NT 4.0
  PlainEntry WDMDeleteDevice;                  // library 2: Windows 98 family
  PlainEntry RemoveDisabledModem;              // library 2: Windows 98 family
  PlainEntry DeleteOtherDevice;                // library 2: Windows 98 family
  PlainEntry RemovePort;                       // library 2: NT 4.0
  PlainEntry RemoveNTService;                  // library 2: NT 4.0
  GetInfByPciEntry GetInfByPci;                // library 2: NT 4.0
  GetHardWareIdEntry GetHardWareId;            // library 2: Windows 2000
  UpdateNT5DeviceEntry UpdateNT5Device;        // library 1: Windows 2000
  InstallClassDeviceEntry InstallClassDevice;  // library 1: NT 4.0
};

// The libraries of a run: their handles (null when not loaded) and entries.
struct SetupLibraries {
  HMODULE Library1;
  HMODULE Library2;
  SetupEntries Entries;
};

const char* const kLibrary1Name = "QVSETUP1.DLL";
const char* const kLibrary2Name = "QVSETUP2.DLL";

// Load the library unless it is loaded already, so that the one unload of
// UnloadSetupLibraries releases it. True when loaded.
bool LoadSetupLibrary1(SetupLibraries* libraries);
bool LoadSetupLibrary2(SetupLibraries* libraries);

// Windows 2000: attempts both libraries, library 1 first; true when both loaded.
bool LoadWin2000Libraries(SetupLibraries* libraries);

// Bind the entries of one platform family. All or nothing: true when every
// entry was found (then the record holds them), false when a library is not
// loaded or an entry is missing (then the record is unchanged).
// Windows 98: RefreshWin2K, RemoveModem, DeleteOtherDevice, WDMDeleteDevice, RemoveDisabledModem.
bool BindWin98Entries(SetupLibraries* libraries);
// NT 4.0: NTGetINF (only required), RemoveNTService, RemovePort, RemoveModem, GetInfByPci.
bool BindNT4Entries(SetupLibraries* libraries);
// Windows 2000: UpdateNT5Device (library 1), GetHardWareId and RefreshWin2K (library 2).
bool BindWin2000Entries(SetupLibraries* libraries);

// NT 4.0: loads library 1, binds InstallClassDevice and calls it with
// "Modem", "TAVELINSoftModem", "TAVELIN Software Modem AMR" and 0. True when
// it was called (its result is not looked at), false when the library or
// the entry is missing.
bool NTInstallModemDevice(SetupLibraries* libraries);

// Unloads both libraries.
void UnloadSetupLibraries(SetupLibraries* libraries);

#endif
