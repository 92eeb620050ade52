// simulate-calls.exe SCRIPT...: runs call scripts on the Windows it runs on
// (the seam's Win32 backend) and prints each call's answer, as the
// simulated runner does on a simulated machine.
#include <stdio.h>

#include "script_runner.h"
#include "win32/win32_system.h"
#include "win32_setup.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "simulate-calls: no script\nusage: simulate-calls.exe SCRIPT...\n");
    return kScriptError;
  }
  Win32System system;
  Win32Setup setup;
  return RunScripts(system, setup, argv + 1, argc - 1, stdout, stderr);
}
