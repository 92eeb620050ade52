// What a stand-in works on: the Windows it runs on, its configuration
// (qvstandin.ini beside it), its call log, the time that passes and the
// helper programs that finish its work in the background. The stand-in
// DLLs and programs run their behaviour on the running Windows
// (win32_world); the simulated Windows runs the same behaviour on its
// machine, its clock passing where a stand-in sleeps.
#ifndef STANDINS_STANDIN_WORLD_H
#define STANDINS_STANDIN_WORLD_H

#include <stddef.h>

#include "base/system.h"

class StandinWorld {
 public:
  virtual ~StandinWorld() {}

  // The registry, through the seam's calls below HKEY_LOCAL_MACHINE.
  virtual RegistryCalls& Registry() = 0;
  virtual bool OnWindows9x() = 0;

  // qvstandin.ini read as GetPrivateProfileInt and GetPrivateProfileString
  // read it; with no file the fallback.
  virtual int ConfigNumber(const char* section, const char* key, int fallback) = 0;
  virtual void ConfigText(const char* section, const char* key, const char* fallback, char* out,
                          size_t outSize) = 0;

  // Appends line and a line end to the file at path, which other processes
  // append to as well.
  virtual void AppendLine(const char* path, const char* line) = 0;
  // The error mode of the process whose call is logged.
  virtual unsigned long ErrorMode() = 0;

  virtual void Pass(unsigned long milliseconds) = 0;
  // standin_record.exe: the modem's class record appears after delay ms.
  // 1 when the writer started.
  virtual int StartRecordWriter(unsigned long delay) = 0;
  // standin_service.exe start: the driver service registered and started,
  // running after delay ms and stopping by itself after life ms. 1 when it
  // was started or runs already.
  virtual int StartModemService(unsigned long delay, unsigned long life) = 0;
};

#endif
