// simulate-calls --class CLASS --platform windows|wine SCRIPT...: runs call
// scripts on a fresh simulated machine of the class, as Windows is
// documented or as the test platform behaves, and prints each call's
// answer. Its Windows directories are those of the test platform's prefix
// (C:\windows, C:\windows\system32), the program itself is
// C:\bench\simulate-calls.exe, as the run under Wine has them.
#include <stdio.h>
#include <string.h>

#include <memory>

#include "machine.h"
#include "machine_setup.h"
#include "scenario.h"
#include "script_runner.h"
#include "simulated_windows.h"

namespace {

int Usage(const char* fault) {
  fprintf(stderr,
          "simulate-calls: %s\n"
          "usage: simulate-calls --class 95|98|98se|me|nt4|2000 --platform windows|wine "
          "SCRIPT...\n",
          fault);
  return kScriptError;
}

}  // namespace

int main(int argc, char** argv) {
  const ClassName* known = nullptr;
  const char* platform = nullptr;
  int first = 1;
  for (; first + 1 < argc; first += 2) {
    if (strcmp(argv[first], "--class") == 0) {
      known = FindClassName(argv[first + 1]);
      if (known == nullptr) return Usage("unknown class");
    } else if (strcmp(argv[first], "--platform") == 0) {
      platform = argv[first + 1];
      if (strcmp(platform, "windows") != 0 && strcmp(platform, "wine") != 0)
        return Usage("the platform is windows or wine");
    } else {
      break;
    }
  }
  if (known == nullptr) return Usage("no --class");
  if (platform == nullptr) return Usage("no --platform");
  if (first >= argc) return Usage("no script");
  if (argv[first][0] == '-') return Usage("unknown option");

  std::unique_ptr<Machine> machine(new Machine);
  StartMachine(machine.get(), known->osClass, strcmp(platform, "wine") == 0);
  machine->windowsDir = "C:\\windows";
  machine->systemDir = "C:\\windows\\system32";
  machine->programDir = "C:\\bench";
  machine->programName = "simulate-calls.exe";
  AddStandardDirectories(machine.get());
  SimulatedWindows windows(machine.get());
  MachineSetup setup(machine.get());
  return RunScripts(windows, setup, argv + first, argc - first, stdout, stderr);
}
