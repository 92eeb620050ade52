// The setting-up steps of a script on Windows: files written with the file
// calls, a file held by an open handle that shares nothing.
#ifndef CALLSCRIPT_WIN32_SETUP_H
#define CALLSCRIPT_WIN32_SETUP_H

#include <windows.h>

#include "script_runner.h"

class Win32Setup : public ScriptSetup {
 public:
  Win32Setup() : holds_(0) {}
  ~Win32Setup() override { ReleaseHolds(); }

  SystemStatus PutFile(const char* path, const char* bytes, unsigned long size) override;
  SystemStatus HoldFile(const char* path) override;
  void ReleaseHolds() override;

 private:
  static const int kMaxHolds = 32;
  HANDLE held_[kMaxHolds];
  int holds_;
};

#endif
