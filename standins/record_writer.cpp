// standin_record.exe <delay>: Windows 9x finishing a device refresh in the
// background. After the delay (milliseconds, at most ten minutes) it writes
// the modem's class record, a numbered instance of the Windows 9x Modem
// class with "Model" and "DriverDesc" "TAVELIN Software Modem AMR".
#include <windows.h>
#include <stdlib.h>

#include "standin_entries.h"
#include "standin_text.h"
#include "win32_world.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char argument[16];
  ArgumentAt(argument, sizeof argument, GetCommandLineA(), 0);
  unsigned long delay = strtoul(argument, nullptr, 10);
  if (delay > LongestHelperTime) delay = LongestHelperTime;
  Win32StandinWorld world;
  world.Pass(delay);
  return StandinWriteClassRecord(world, delay) ? 0 : 1;
}
