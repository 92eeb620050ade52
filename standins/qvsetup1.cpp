// QVSETUP1.DLL stand-in: the class installer entries. Every entry logs its
// call with the SourcePath it sees; results, delays and effects come from
// qvstandin.ini.
#include <windows.h>

#include "standin_entries.h"
#include "win32_world.h"

extern "C" {

int __cdecl UpdateNT5Device(const wchar_t* hardwareId, const wchar_t* infName) {
  Win32StandinWorld world;
  return StandinUpdateNT5Device(world, hardwareId, infName);
}

int __cdecl InstallClassDevice(const wchar_t* className, const wchar_t* deviceName,
                               const wchar_t* description, int flags) {
  Win32StandinWorld world;
  return StandinInstallClassDevice(world, className, deviceName, description, flags);
}

}  // extern "C"
