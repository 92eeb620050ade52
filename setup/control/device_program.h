// The Windows 95 device program qvsetup3.exe beside setup.exe.
#pragma once

// Runs SourceDir\qvsetup3.exe with the single argument (its command line
// is "qvsetup3.exe argument") and waits until it ends. Neither its exit
// code nor a failure to start it is looked at.
void RunDeviceProgram(const char* argument);
