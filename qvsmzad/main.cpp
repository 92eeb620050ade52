// qvsmzad: writes the modem's country settings into the registry from the
// country settings file named on the command line, without any window.
#include <windows.h>

#include <cstdio>

#include "apply_country_file.h"
#include "command_line.h"
#include "country_file.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  FILE* file = OpenCountryFile(CountryFilePath(GetCommandLineA()));
  if (file == nullptr) return 1;  // nothing has been written
  ApplyCountryFile(file);
  fclose(file);
  return 0;
}
