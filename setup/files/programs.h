// Starting a program of the medium or of a launch list, and waiting for it.
#ifndef SETUP_FILES_PROGRAMS_H
#define SETUP_FILES_PROGRAMS_H

// Starts path with commandLine (modified by the system while it starts the
// program), directly, never through a command interpreter, in the current
// directory; waits until it ends and logs its exit code. Neither the exit
// code nor a failure to start it is looked at further: false when it did
// not start.
bool RunAndWait(const char* path, char* commandLine);

#endif
