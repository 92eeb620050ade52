// QVSETUP1.DLL stand-in: the class installer entries. Every entry logs its
// call with the SourcePath it sees; results, delays and effects come from
// qvstandin.ini.
#include <windows.h>

#include "call_log.h"
#include "entry_call.h"
#include "modem_records.h"
#include "standin_text.h"

namespace {

// Room for the narrowed wide arguments: the hardware id, the INF name and
// the class installer's texts.
const size_t ArgumentSize = 528;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) StandinModule = instance;
  return TRUE;
}

namespace {

void AddWideArgument(char* line, size_t lineSize, const wchar_t* text) {
  char narrow[ArgumentSize];
  NarrowText(narrow, sizeof narrow, text);
  AddTextArgument(line, lineSize, narrow);
}

}  // namespace

extern "C" {

int __cdecl UpdateNT5Device(const wchar_t* hardwareId, const wchar_t* infName) {
  const EntryConfig config = BeginEntry("UpdateNT5Device");
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "UpdateNT5Device");
  AddWideArgument(line, sizeof line, hardwareId);
  AddWideArgument(line, sizeof line, infName);
  EndCallLine(line, sizeof line, config.Result);
  AddSourcePathNote(line, sizeof line);
  AppendCallLog(line);
  return config.Result;
}

// Creates a numbered instance of the NT Modem class whose "DriverDesc" and
// "Model" are the description; 0 when it could not be created.
int __cdecl InstallClassDevice(const wchar_t* className, const wchar_t* deviceName,
                               const wchar_t* description, int flags) {
  const EntryConfig config = BeginEntry("InstallClassDevice");
  char line[kCallLineSize];
  BeginCallLine(line, sizeof line, "InstallClassDevice");
  AddWideArgument(line, sizeof line, className);
  AddWideArgument(line, sizeof line, deviceName);
  AddWideArgument(line, sizeof line, description);
  AddNumberArgument(line, sizeof line, flags);
  int result = config.Result;
  char instance[5] = "";
  if (config.Effect) {
    char text[ArgumentSize];
    NarrowText(text, sizeof text, description);
    if (!AddModemInstance(NTModemClass, text, instance)) result = 0;
  }
  EndCallLine(line, sizeof line, result);
  if (instance[0]) AddNote(line, sizeof line, "Instance", instance, true);
  AddSourcePathNote(line, sizeof line);
  AppendCallLog(line);
  return result;
}

}  // extern "C"
