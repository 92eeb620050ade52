#include "logged_entries.h"

#include "../files/driver_sets.h"
#include "../registry/hardware_id.h"
#include "install_log.h"
#include "log_text.h"

// The entries as the libraries export them, called by the wrappers.
static SetupEntriesRecord Exported;

static void StartCallText(LogText* log, const char* entry) {
  StartLogText(log, "call ");
  AddLogText(log, entry);
}

static void EndCallText(LogText* log, int result) {
  AddLogText(log, " = ");
  AddLogNumber(log, result);
}

static int CallPlain(const char* name, PlainEntry entry) {
  const int result = entry();
  LogText log;
  StartCallText(&log, name);
  AddLogText(&log, "()");
  EndCallText(&log, result);
  LogEvent(log.Text);
  return result;
}

static int __cdecl LoggedRefreshWin2K() { return CallPlain("RefreshWin2K", Exported.RefreshWin2K); }
static int __cdecl LoggedRemoveModem() { return CallPlain("RemoveModem", Exported.RemoveModem); }
static int __cdecl LoggedWDMDeleteDevice() {
  return CallPlain("WDMDeleteDevice", Exported.WDMDeleteDevice);
}
static int __cdecl LoggedRemoveDisabledModem() {
  return CallPlain("RemoveDisabledModem", Exported.RemoveDisabledModem);
}
static int __cdecl LoggedDeleteOtherDevice() {
  return CallPlain("DeleteOtherDevice", Exported.DeleteOtherDevice);
}
static int __cdecl LoggedRemovePort() { return CallPlain("RemovePort", Exported.RemovePort); }
static int __cdecl LoggedRemoveNTService() {
  return CallPlain("RemoveNTService", Exported.RemoveNTService);
}

// What the lookup handed back: the INF name and the flag.
static int __cdecl LoggedGetInfByPci(char* infName, int* flag) {
  const int result = Exported.GetInfByPci(infName, flag);
  LogText log;
  StartCallText(&log, "GetInfByPci(INF name, flag)");
  EndCallText(&log, result);
  AddLogText(&log, ": INF name ");
  AddLogQuoted(&log, infName, NT4InfNameSize);
  AddLogText(&log, ", flag ");
  AddLogNumber(&log, *flag);
  LogEvent(log.Text);
  return result;
}

// The id counts only with a non-zero result.
static int __cdecl LoggedGetHardWareId(char* hardwareId) {
  const int result = Exported.GetHardWareId(hardwareId);
  LogText log;
  StartCallText(&log, "GetHardWareId(id)");
  EndCallText(&log, result);
  if (result) {
    AddLogText(&log, ": id ");
    AddLogQuoted(&log, hardwareId, HardwareIdSize);
  }
  LogEvent(log.Text);
  return result;
}

static int __cdecl LoggedUpdateNT5Device(const wchar_t* hardwareId, const wchar_t* infName) {
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

static int __cdecl LoggedInstallClassDevice(const wchar_t* className, const wchar_t* deviceName,
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
static void Wrap(Entry* bound, Entry* exported, Entry logged) {
  if (!*bound || *bound == logged) return;
  *exported = *bound;
  *bound = logged;
}

void LogEntryCalls(SetupEntriesRecord* entries) {
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
