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

// What a world answers, listed once: StandinWorld declares it with "= 0",
// each world with override.
//
// Registry: the registry, through the seam's calls below
// HKEY_LOCAL_MACHINE. ConfigNumber, ConfigText: qvstandin.ini read as
// GetPrivateProfileInt and GetPrivateProfileString read it; with no file
// the fallback. AppendLine: line and a line end appended to the file at
// path, which other processes append to as well. ErrorMode: that of the
// process whose call is logged. StartRecordWriter (standin_record.exe):
// the modem's class record appears after delay ms; 1 when the writer
// started. StartModemService (standin_service.exe start): the driver
// service registered and started, running after delay ms and stopping by
// itself after life ms; 1 when it was started or runs already.
#define STANDIN_WORLD_CALLS(ending)                                                              \
  virtual RegistryCalls& Registry() ending;                                                      \
  virtual bool OnWindows9x() ending;                                                             \
  virtual int ConfigNumber(const char* section, const char* key, int fallback) ending;           \
  virtual void ConfigText(const char* section, const char* key, const char* fallback, char* out, \
                          size_t outSize) ending;                                                \
  virtual void AppendLine(const char* path, const char* line) ending;                            \
  virtual unsigned long ErrorMode() ending;                                                      \
  virtual void Pass(unsigned long milliseconds) ending;                                          \
  virtual int StartRecordWriter(unsigned long delay) ending;                                     \
  virtual int StartModemService(unsigned long delay, unsigned long life) ending;

class StandinWorld {
 public:
  virtual ~StandinWorld() {}
  STANDIN_WORLD_CALLS(= 0)
};

#endif
