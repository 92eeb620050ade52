// The completion timers: where Windows finishes the device installation in
// the background, a thread timer (no window) polls for the result and ends
// the run, on success or at its time limit.
#pragma once

// Windows 95 and the Windows 98 family: polls every 3000 ms for the
// installed modem's class record. 1 when the timer runs, 0 when Windows
// gave no timer.
int StartModemPollTimer();

// Windows 2000 without a hardware id: sets the INF aside, copies it afresh
// and starts the device refresh; when the refresh started, polls every
// 10000 ms for the running driver service.
void InstallModemByRefresh();

// Whether a completion timer is still running and will end the run.
bool CompletionTimerRunning();

// Kills whichever timer runs (the main window's destroy handler).
void KillCompletionTimers();
