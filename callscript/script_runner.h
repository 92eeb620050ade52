// Runs call scripts against a System: each call step's answer is a line of
// the output (call_output.h), the setting-up steps prepare files and values
// before the calls. The setting-up of files and of files held open differs
// between the simulated machine and Windows: a ScriptSetup does it.
#ifndef CALLSCRIPT_SCRIPT_RUNNER_H
#define CALLSCRIPT_SCRIPT_RUNNER_H

#include <stdio.h>

#include "base/system.h"

class ScriptSetup {
 public:
  virtual ~ScriptSetup() {}
  // A file of exactly these bytes, its directories made as needed, replacing
  // one that is there.
  virtual SystemStatus PutFile(const char* path, const char* bytes, unsigned long size) = 0;
  // The existing file held open by another opener that shares nothing, until
  // ReleaseHolds.
  virtual SystemStatus HoldFile(const char* path) = 0;
  virtual void ReleaseHolds() = 0;
};

// The exit code after an error of a script or of the command line.
const int kScriptError = 3;

// Runs the scripts one after the other on one system, each script's lines
// after "== NAME" when there are several. 0, or kScriptError after the first
// error, which err has been told as "simulate-calls: NAME:LINE: what".
int RunScripts(System& system, ScriptSetup& setup, const char* const* names, int count, FILE* out,
               FILE* err);

#endif
