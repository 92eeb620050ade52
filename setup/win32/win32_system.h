// The seam's Win32 backend: every call of System made on the running
// Windows, ANSI functions only, each of them present on Windows 95 and
// NT 4.0.
#ifndef SETUP_WIN32_WIN32_SYSTEM_H
#define SETUP_WIN32_WIN32_SYSTEM_H

#include <windows.h>

#include "../base/system.h"

class Win32System : public System {
 public:
  Win32System() : timerWindow_(nullptr) {}

  // The window whose timers the run's timers are; without one no timer
  // starts.
  void SetTimerWindow(HWND window) { timerWindow_ = window; }

  SYSTEM_CALLS(override)

 private:
  HWND timerWindow_;
};

#endif
