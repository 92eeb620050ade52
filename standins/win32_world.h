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
  // module: the DLL or program whose directory holds the stand-ins; null
  // for the program that runs.
  explicit Win32StandinWorld(HMODULE module) : module_(module) {}

  RegistryCalls& Registry() override { return system_; }
  bool OnWindows9x() override;
  int ConfigNumber(const char* section, const char* key, int fallback) override;
  void ConfigText(const char* section, const char* key, const char* fallback, char* out,
                  size_t outSize) override;
  void AppendLine(const char* path, const char* line) override;
  unsigned long ErrorMode() override;
  void Pass(unsigned long milliseconds) override;
  int StartRecordWriter(unsigned long delay) override;
  int StartModemService(unsigned long delay, unsigned long life) override;

  // Full path of a file in the stand-ins' directory; 0 when it would not
  // fit MAX_PATH.
  int StandinFilePath(char* out, const char* name);

 private:
  HMODULE module_;
  Win32System system_;
};

#endif
