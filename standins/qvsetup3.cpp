// qvsetup3.exe, the Windows 95 device program stand-in, started by setup
// with "remove" or "refresh" and waited for. "remove" deletes this driver's
// modem instances; "refresh" starts the record writer, so that the modem's
// class record appears RecordDelay milliseconds later, as Windows 95 would
// finish the device installation. It logs its argument; [qvsetup3] Delay is
// how long it runs, Result its exit code.
#include <windows.h>

#include "background.h"
#include "call_log.h"
#include "modem_records.h"
#include "standin_config.h"
#include "standin_text.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char argument[32];
  ArgumentAt(argument, sizeof argument, GetCommandLineA(), 0);
  const EntryConfig config = ReadEntryConfig("qvsetup3");
  const int exitCode = ReadConfigNumber("qvsetup3", "Result", 0);
  Sleep(config.Delay);
  char line[256];
  BeginCallLine(line, sizeof line, "qvsetup3");
  AddTextArgument(line, sizeof line, argument);
  EndCallLine(line, sizeof line, exitCode);
  if (config.Effect && lstrcmpA(argument, "remove") == 0) {
    AddNumberNote(line, sizeof line, "Removed", RemoveModemInstances(RunningModemClass()));
  } else if (config.Effect && lstrcmpA(argument, "refresh") == 0) {
    const int delay = ReadConfigNumber("qvsetup3", "RecordDelay", 0);
    AddNumberNote(line, sizeof line, "RecordWriter",
                  StartRecordWriter(delay > 0 ? static_cast<DWORD>(delay) : 0));
  }
  AppendCallLog(line);
  return exitCode;
}
