// The setup libraries QVSETUP1.DLL and QVSETUP2.DLL beside setup.exe: loading
// by file name, binding entries by exported name, and the class-installer
// call of Windows NT 4.0. Entries use the C calling convention and return int.
#pragma once

typedef int(__cdecl* PlainEntry)(void);
// infName: 256 characters; flag: 0 on entry, non-zero when the PCI lookup
// reports a mismatch.
typedef int(__cdecl* GetInfByPciEntry)(char* infName, int* flag);
// hardwareId: 528 characters; filled when the result is non-zero.
typedef int(__cdecl* GetHardWareIdEntry)(char* hardwareId);
typedef int(__cdecl* UpdateNT5DeviceEntry)(const wchar_t* hardwareId, const wchar_t* infName);
typedef int(__cdecl* InstallClassDeviceEntry)(const wchar_t* className, const wchar_t* deviceName,
                                              const wchar_t* description, int flags);

// The bound entries, kept for the run; null until bound.
struct SetupEntriesRecord {
  PlainEntry RefreshWin2K;         // library 2: Windows 98 family, Windows 2000
  PlainEntry RemoveModem;          // library 2: Windows 98 family, NT 4.0
  PlainEntry WDMDeleteDevice;      // library 2: Windows 98 family
  PlainEntry RemoveDisabledModem;  // library 2: Windows 98 family
  PlainEntry DeleteOtherDevice;    // library 2: Windows 98 family
  PlainEntry RemovePort;           // library 2: NT 4.0
  PlainEntry RemoveNTService;      // library 2: NT 4.0
  GetInfByPciEntry GetInfByPci;    // library 2: NT 4.0
  GetHardWareIdEntry GetHardWareId;      // library 2: Windows 2000
  UpdateNT5DeviceEntry UpdateNT5Device;  // library 1: Windows 2000
  InstallClassDeviceEntry InstallClassDevice;  // library 1: NT 4.0
};

extern SetupEntriesRecord SetupEntries;

const char* const Library1Name = "QVSETUP1.DLL";
const char* const Library2Name = "QVSETUP2.DLL";

// Load the library into Library1 / Library2 unless it is loaded already, so
// that the one unload of FinalCleanup releases it. 1 when loaded, else 0.
int LoadSetupLibrary1();
int LoadSetupLibrary2();

// Windows 2000: attempts both libraries, library 1 first; 1 when both loaded.
int LoadWin2000Libraries();

// Bind the entries of one platform family. All or nothing: 1 when every
// entry was found (then SetupEntries holds them), 0 when a library is not
// loaded or an entry is missing (then SetupEntries is unchanged).
int BindWin98Entries();   // RefreshWin2K, RemoveModem, DeleteOtherDevice, WDMDeleteDevice, RemoveDisabledModem
int BindNT4Entries();     // NTGetINF (only required), RemoveNTService, RemovePort, RemoveModem, GetInfByPci
int BindWin2000Entries(); // UpdateNT5Device (library 1), GetHardWareId and RefreshWin2K (library 2)

// NT 4.0: loads library 1, binds InstallClassDevice and calls it with
// "Modem", "TAVELINSoftModem", "TAVELIN Software Modem AMR" and 0. 1 when it
// was called (its result is not looked at), 0 when the library or the entry
// is missing.
int NTInstallModemDevice();
