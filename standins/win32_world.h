// The stand-ins' world on the running Windows: the registry through the
// seam's Win32 backend, qvstandin.ini beside the stand-in's module, the
// call log appended under a lock, Sleep for the time that passes and the
// helper programs started as processes.
#ifndef STANDINS_WIN32_WORLD_H
#define STANDINS_WIN32_WORLD_H

#include <windows.h>

#include "standin_world.h"
#include "win32/win32_system.h"

class Win32StandinWorld : public StandinWorld {
 public:
  // The stand-ins lie beside the DLL or program that this code is linked
  // into.
  Win32StandinWorld();

  STANDIN_WORLD_CALLS(override)

  // Full path of a file in the stand-ins' directory; 0 when it would not
  // fit MAX_PATH.
  int StandinFilePath(char* out, const char* name);

 private:
  HMODULE module_;
  Win32System system_;
};

#endif
