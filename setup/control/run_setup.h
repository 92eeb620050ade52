// The top-level run of setup.
#pragma once

// Computes the paths, reads the options and runs the sequence of this
// platform. Returns 1 when the run succeeded or goes on under a timer, 0
// when it failed.
int RunSetup();

// The sequence of this platform class. 1: done or continuing, 0: failed.
int RunSequence();
