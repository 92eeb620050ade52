// The install, remove and refresh sequences of each platform class, and
// the small steps they share.
#pragma once

// A diagnostic checkpoint: the text "xy" with the label as caption, shown
// only when the Debug option is on.
void Checkpoint(const char* label);

// Removes the monitor's autostart value "QVSMMSG" from the Run key.
void RemoveMonitorRunEntry();

// The sequences. 1: done or continuing under a timer, 0: failed.
int RunWin95Sequence();
int RunWin98Sequence();    // Windows 98, 98 Second Edition and ME
int RunNT4Sequence();
int RunWin2000Sequence();

// Windows 98 family: starts the device refresh and, when it started, the
// modem poll timer.
void refreshdevicefor98();
