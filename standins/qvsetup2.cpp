// QVSETUP2.DLL stand-in: device removal, lookup and refresh. Every entry
// logs its call; results, delays and effects come from qvstandin.ini.
#include <windows.h>

#include "standin_entries.h"
#include "win32_world.h"

namespace {

HMODULE Library = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Library = instance;
  return TRUE;
}

extern "C" {

int __cdecl WDMDeleteDevice() {
  Win32StandinWorld world(Library);
  return StandinReportOnly(world, "WDMDeleteDevice");
}

int __cdecl RemoveDisabledModem() {
  Win32StandinWorld world(Library);
  return StandinReportOnly(world, "RemoveDisabledModem");
}

int __cdecl DeleteOtherDevice() {
  Win32StandinWorld world(Library);
  return StandinReportOnly(world, "DeleteOtherDevice");
}

int __cdecl RemovePort() {
  Win32StandinWorld world(Library);
  return StandinReportOnly(world, "RemovePort");
}

int __cdecl RemoveNTService() {
  Win32StandinWorld world(Library);
  return StandinReportOnly(world, "RemoveNTService");
}

int __cdecl NTGetINF() {
  Win32StandinWorld world(Library);
  return StandinReportOnly(world, "NTGetINF");
}

int __cdecl RemoveModem() {
  Win32StandinWorld world(Library);
  return StandinRemoveModem(world);
}

int __cdecl GetInfByPci(char* infName, int* flag) {
  Win32StandinWorld world(Library);
  return StandinGetInfByPci(world, infName, flag);
}

int __cdecl GetHardWareId(char* hardwareId) {
  Win32StandinWorld world(Library);
  return StandinGetHardWareId(world, hardwareId);
}

int __cdecl RefreshWin2K() {
  Win32StandinWorld world(Library);
  return StandinRefreshWin2K(world);
}

}  // extern "C"
