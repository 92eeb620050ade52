// standin_record.exe <delay>: Windows 9x finishing a device refresh in the
// background. After the delay (milliseconds, at most ten minutes) it writes
// the modem's class record, a numbered instance of the Windows 9x Modem
// class with "Model" and "DriverDesc" "TAVELIN Software Modem AMR".
#include <windows.h>
#include <stdlib.h>

#include "call_log.h"
#include "modem_records.h"
#include "standin_text.h"

namespace {

const unsigned long LongestDelay = 600000;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char argument[16];
  ArgumentAt(argument, sizeof argument, GetCommandLineA(), 0);
  unsigned long delay = strtoul(argument, nullptr, 10);
  if (delay > LongestDelay) delay = LongestDelay;
  Sleep(delay);
  char instance[5] = "";
  const int written = AddModemInstance(Win9xModemClass, ModemName, instance);
  char line[128];
  BeginCallLine(line, sizeof line, "ClassRecord");
  AddTextArgument(line, sizeof line, instance);
  AddNumberArgument(line, sizeof line, static_cast<long>(delay));
  EndCallLine(line, sizeof line, written);
  AppendCallLog(line);
  return written ? 0 : 1;
}
