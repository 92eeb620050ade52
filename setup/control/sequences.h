// The top-level run of setup and the install, remove and refresh sequence
// of each platform class.
#ifndef SETUP_CONTROL_SEQUENCES_H
#define SETUP_CONTROL_SEQUENCES_H

#include "run.h"

// Computes the paths (pointing SourcePath at the source directory), reads
// the options, opens the installation log and runs the sequence of this
// platform; a run that finished at once is cleaned up. Its outcome decides
// the ending (ChooseRunEnding).
SetupOutcome RunSetup(Run* run);

// The sequence of this platform class. True when done or continuing under a
// timer; nothing to do on a platform that setup does not know.
bool RunSequence(Run* run);

#endif
