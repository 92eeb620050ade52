// The setup libraries QVSETUP1.DLL and QVSETUP2.DLL beside setup.exe: loading
// by file name, binding entries by exported name, and the calls of the bound
// entries, each told with its arguments, its answer and what it handed
// back. Entries use the C calling convention and return int.
#ifndef SETUP_CONTROL_SETUP_LIBRARIES_H
#define SETUP_CONTROL_SETUP_LIBRARIES_H

#include "../base/host.h"

// The bound entries, kept for the run; null until bound.
struct SetupEntries {
  EntryHandle RefreshWin2K;         // library 2: Windows 98 family, Windows 2000
  EntryHandle RemoveModem;          // library 2: Windows 98 family, NT 4.0
  EntryHandle WDMDeleteDevice;      // library 2: Windows 98 family
  EntryHandle RemoveDisabledModem;  // library 2: Windows 98 family
  EntryHandle DeleteOtherDevice;    // library 2: Windows 98 family
  EntryHandle RemovePort;           // library 2: NT 4.0
  EntryHandle RemoveNTService;      // library 2: NT 4.0
  EntryHandle GetInfByPci;          // library 2: NT 4.0
  EntryHandle GetHardWareId;        // library 2: Windows 2000
  EntryHandle UpdateNT5Device;      // library 1: Windows 2000
};

// The libraries of a run: their handles (null when not loaded) and entries.
struct SetupLibraries {
  LibraryHandle Library1;
  LibraryHandle Library2;
  SetupEntries Entries;
};

const char* const kLibrary1Name = "QVSETUP1.DLL";
const char* const kLibrary2Name = "QVSETUP2.DLL";

// Load the library unless it is loaded already, so that the one unload of
// UnloadSetupLibraries releases it. True when loaded.
bool LoadSetupLibrary1(Host& host, SetupLibraries* libraries);
bool LoadSetupLibrary2(Host& host, SetupLibraries* libraries);

// Windows 2000: attempts both libraries, library 1 first; true when both loaded.
bool LoadWin2000Libraries(Host& host, SetupLibraries* libraries);

// Bind the entries of one platform family. All or nothing: true when every
// entry was found (then the record holds them), false when a library is not
// loaded or an entry is missing (then the record is unchanged).
// Windows 98: RefreshWin2K, RemoveModem, DeleteOtherDevice, WDMDeleteDevice, RemoveDisabledModem.
bool BindWin98Entries(Host& host, SetupLibraries* libraries);
// NT 4.0: NTGetINF (only required), RemoveNTService, RemovePort, RemoveModem, GetInfByPci.
bool BindNT4Entries(Host& host, SetupLibraries* libraries);
// Windows 2000: UpdateNT5Device (library 1), GetHardWareId and RefreshWin2K (library 2).
bool BindWin2000Entries(Host& host, SetupLibraries* libraries);

// NT 4.0: loads library 1, binds InstallClassDevice and calls it with
// "Modem", "TAVELINSoftModem", "TAVELIN Software Modem AMR" and 0. True when
// it was called (its result is not looked at), false when the library or
// the entry is missing.
bool NTInstallModemDevice(Host& host, SetupLibraries* libraries);

// Calls of the bound entries (bind them first), each told.
int CallRefreshWin2K(Host& host, const SetupLibraries& libraries);
int CallRemoveModem(Host& host, const SetupLibraries& libraries);
int CallWDMDeleteDevice(Host& host, const SetupLibraries& libraries);
int CallRemoveDisabledModem(Host& host, const SetupLibraries& libraries);
int CallDeleteOtherDevice(Host& host, const SetupLibraries& libraries);
int CallRemovePort(Host& host, const SetupLibraries& libraries);
int CallRemoveNTService(Host& host, const SetupLibraries& libraries);
// infName: 256 characters; flag: 0 on entry, non-zero when the PCI lookup
// reports a mismatch.
int CallGetInfByPci(Host& host, const SetupLibraries& libraries, char* infName, int* flag);
// hardwareId: 528 characters; filled when the result is non-zero.
int CallGetHardWareId(Host& host, const SetupLibraries& libraries, char* hardwareId);
// The wide real hardware id and the wide INF name.
int CallUpdateNT5Device(Host& host, const SetupLibraries& libraries, const wchar_t* hardwareId,
                        const wchar_t* infName);

// Unloads both libraries.
void UnloadSetupLibraries(Host& host, SetupLibraries* libraries);

#endif
