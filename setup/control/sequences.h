// The top-level run of setup and the install, remove and refresh sequence
// of each platform class, with the choices that the command line and the
// options make in them.
#ifndef SETUP_CONTROL_SEQUENCES_H
#define SETUP_CONTROL_SEQUENCES_H

#include "run.h"

// Windows 98 family: D without R removes the driver and installs nothing.
bool IsRemoveOnly(const CommandSwitches& switches);

// Windows 98 family: the WDM driver set on Windows ME, and on Windows 98
// Second Edition when the WDMDriver option is set; the VxD set otherwise
// (Windows 98 always gets the VxD set).
bool UsesWdmDriverSet(OsClass osClass, bool wdmDriverOption);

// Computes the paths (pointing SourcePath at the source directory), reads
// the options, opens the installation log and runs the sequence of this
// platform; a run that finished at once is cleaned up. Its outcome decides
// the ending (ChooseRunEnding).
SetupOutcome RunSetup(Run* run);

// The sequence of this platform class. True when done or continuing under a
// timer; nothing to do on a platform that setup does not know.
bool RunSequence(Run* run);

// A silent run from its start to its ending, or to the completion timer
// that will end it.
void RunSilently(Run* run);

// What the entry makes once the run may go on, before anything of it runs:
// the main window that owns the completion timers and the dialogs.
typedef void (*RunWindowsMaker)(Run* run, void* context);

// The one start of every run, of the entry and of the simulated run alike:
// the installation log, then `listener` (may be null), hear the run's
// events; BeginRun; a run refused because another setup runs ends at once
// with -1, having changed nothing; otherwise `makeWindows` (may be null)
// and, with the silent switch, the silent run. True when the interactive
// run is to follow (its welcome dialog).
bool StartRun(Run* run, char* commandLine, RunWindowsMaker makeWindows, void* context,
              RunListener* listener);

#endif
