// The run state of setup: process-wide records created at start-up and
// alive until the process ends.
#pragma once
#include <windows.h>

#include "command_line.h"

const int TextBufferSize = 512;
// What the read-only text boxes of the dialogs accept.
const WPARAM DialogTextLimit = 65535;

extern unsigned char OsClass;      // platform class, OsClassUnknown until classified
extern CommandSwitches Switches;   // S, D and R of the command line
extern HINSTANCE AppInstance;
extern HWND MainWindow;            // hidden owner of every dialog
extern char WelcomeText[TextBufferSize];
extern char RestartText[TextBufferSize];
extern char ProgressTitle[TextBufferSize];

extern HMODULE Library1;           // QVSETUP1.DLL, null when not loaded
extern HMODULE Library2;           // QVSETUP2.DLL, null when not loaded
extern bool Win2KRefreshPending;   // Windows 2000: installation continues under the service poll
extern bool ServiceRemovalFailed;  // NT 4.0: the earlier driver service stayed; nothing was installed
extern bool ServiceWaitExpired;    // Windows 2000: the driver service never ran; nothing was installed
extern bool CleanupDone;           // FinalCleanup has run
extern bool QuitPosted;            // an ending has posted the quit message

// Whether the run is complete as soon as RunSetup returns.
bool ImmediateFinish();

// Whether the run ended without installing the driver: the earlier
// service stayed (NT 4.0), or the new one never ran (Windows 2000).
bool RunFailed();

// Ends the message loop with the given exit code.
void PostRunQuit(int exitCode);

// Whether something is still going to end the run: a posted quit or a
// running completion timer.
bool RunEndingPending();
