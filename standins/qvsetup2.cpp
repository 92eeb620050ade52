// QVSETUP2.DLL stand-in: device removal, lookup and refresh. Every entry
// logs its call; results, delays and effects come from qvstandin.ini.
#include <windows.h>

#include "standin_entries.h"
#include "win32_world.h"

namespace {

int ReportOnly(const char* entry) {
  Win32StandinWorld world;
  return StandinReportOnly(world, entry);
}

}  // namespace

extern "C" {

int __cdecl WDMDeleteDevice() { return ReportOnly("WDMDeleteDevice"); }
int __cdecl RemoveDisabledModem() { return ReportOnly("RemoveDisabledModem"); }
int __cdecl DeleteOtherDevice() { return ReportOnly("DeleteOtherDevice"); }
int __cdecl RemovePort() { return ReportOnly("RemovePort"); }
int __cdecl RemoveNTService() { return ReportOnly("RemoveNTService"); }
int __cdecl NTGetINF() { return ReportOnly("NTGetINF"); }

int __cdecl RemoveModem() {
  Win32StandinWorld world;
  return StandinRemoveModem(world);
}

int __cdecl GetInfByPci(char* infName, int* flag) {
  Win32StandinWorld world;
  return StandinGetInfByPci(world, infName, flag);
}

int __cdecl GetHardWareId(char* hardwareId) {
  Win32StandinWorld world;
  return StandinGetHardWareId(world, hardwareId);
}

int __cdecl RefreshWin2K() {
  Win32StandinWorld world;
  return StandinRefreshWin2K(world);
}

}  // extern "C"
