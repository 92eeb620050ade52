// QVSETUP2.DLL stand-in: device removal, lookup and refresh. Every entry
// logs its call; results, delays and effects come from qvstandin.ini.
#include <windows.h>

#include "background.h"
#include "call_log.h"
#include "entry_call.h"
#include "modem_records.h"
#include "standin_text.h"

namespace {

// The capacities that setup hands over.
const DWORD InfNameSize = 256;

const DWORD HardwareIdSize = 528;

// The controller id reported when the configuration names none.
const char* const DefaultHardwareId = "PCI\\VEN_8086&DEV_2416&SUBSYS_12345678&REV_02";

// The Windows NT service stops by itself after this long unless configured.
const int DefaultServiceLife = 400000;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) StandinModule = instance;
  return TRUE;
}

extern "C" {

int __cdecl WDMDeleteDevice() { return ReportOnlyEntry("WDMDeleteDevice"); }
int __cdecl RemoveDisabledModem() { return ReportOnlyEntry("RemoveDisabledModem"); }
int __cdecl DeleteOtherDevice() { return ReportOnlyEntry("DeleteOtherDevice"); }
int __cdecl RemovePort() { return ReportOnlyEntry("RemovePort"); }
int __cdecl RemoveNTService() { return ReportOnlyEntry("RemoveNTService"); }
int __cdecl NTGetINF() { return ReportOnlyEntry("NTGetINF"); }

// Removes this driver's modem instances from the running Windows' Modem class.
int __cdecl RemoveModem() {
  const EntryConfig config = BeginEntry("RemoveModem");
  const int removed = config.Effect ? RemoveModemInstances(RunningModemClass()) : 0;
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "RemoveModem");
  EndCallLine(line, sizeof line, config.Result);
  AddNumberNote(line, sizeof line, "Removed", removed);
  AppendCallLog(line);
  return config.Result;
}

// Logs the INF name and flag as they came in, then writes the configured ones.
int __cdecl GetInfByPci(char* infName, int* flag) {
  const EntryConfig config = BeginEntry("GetInfByPci");
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "GetInfByPci");
  AddTextArgument(line, sizeof line, infName ? infName : "");
  AddNumberArgument(line, sizeof line, flag ? *flag : 0);
  char inf[InfNameSize];
  ReadConfigText("GetInfByPci", "Inf", "", inf, sizeof inf);
  if (infName && inf[0]) lstrcpynA(infName, inf, InfNameSize);
  if (flag) *flag = ReadConfigNumber("GetInfByPci", "Flag", *flag);
  EndCallLine(line, sizeof line, config.Result);
  AddNumberNote(line, sizeof line, "Flag", flag ? *flag : 0);
  AddNote(line, sizeof line, "Inf", infName ? infName : "", true);
  AppendCallLog(line);
  return config.Result;
}

// A non-zero result hands back the configured controller id.
int __cdecl GetHardWareId(char* hardwareId) {
  const EntryConfig config = BeginEntry("GetHardWareId");
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "GetHardWareId");
  EndCallLine(line, sizeof line, config.Result);
  if (config.Result && hardwareId) {
    ReadConfigText("GetHardWareId", "Id", DefaultHardwareId, hardwareId, HardwareIdSize);
    AddNote(line, sizeof line, "Id", hardwareId, true);
  }
  AppendCallLog(line);
  return config.Result;
}

// Starts the device refresh that Windows finishes in the background: the
// class record on Windows 9x, the running driver service on Windows NT.
// Here Delay is the time until that happens; the entry returns at once.
// A refresh that could not be started answers 0.
int __cdecl RefreshWin2K() {
  const EntryConfig config = ReadEntryConfig("RefreshWin2K");
  int result = config.Result;
  if (result && config.Effect) {
    const int life = ReadConfigNumber("RefreshWin2K", "Life", DefaultServiceLife);
    const int started = RunsOnWindows9x() ? StartRecordWriter(config.Delay)
                                          : StartModemService(config.Delay, life > 0 ? life : 0);
    if (!started) result = 0;
  }
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "RefreshWin2K");
  EndCallLine(line, sizeof line, result);
  AddNumberNote(line, sizeof line, "Delay", static_cast<long>(config.Delay));
  AddSourcePathNote(line, sizeof line);
  AppendCallLog(line);
  return result;
}

}  // extern "C"
