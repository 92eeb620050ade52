// qvsetup3.exe, the Windows 95 device program stand-in, started by setup
// with "remove" or "refresh" and waited for (standin_entries.h says what
// each does); it logs its argument.
#include <windows.h>

#include "standin_entries.h"
#include "standin_text.h"
#include "win32_world.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char argument[32];
  ArgumentAt(argument, sizeof argument, GetCommandLineA(), 0);
  Win32StandinWorld world;
  return StandinDeviceProgram(world, argument);
}
