// Starting a program of the medium or of a launch list, and waiting for it.
#ifndef SETUP_FILES_PROGRAMS_H
#define SETUP_FILES_PROGRAMS_H

#include <stddef.h>

#include "../base/host.h"

// Starts path with commandLine (modified by the system while it starts the
// program), in the current directory: directly, or, for a batch file, through
// the command interpreter that the system puts in front of it; tells its start, waits until it
// ends and tells its exit code. The exit code is not looked at further, nor is a program that is
// not there; one that is there but does not start (damaged, refused) marks the host's ChangeFailed.
// False when it did not start.
bool RunAndWait(Host& host, const char* path, char* commandLine);

// The program that path names, into found (foundSize bytes): path itself
// when it has an extension, otherwise the first file (not directory) that
// path with one of kProgramExtensions added names. When none exists, or
// none fits, found is path unchanged, so that the start fails and is
// logged.
void FindProgram(System& system, const char* path, char* found, size_t foundSize);

#endif
