// qvlint: reports every line of a qvsetup.ini, a country settings file or a
// whole medium that setup or qvsmzad passes over in silence, or reads
// otherwise than it looks, and what the program does instead.
//   qvlint [--json] [--quiet] [--codepage N] [--ignore CODE[,CODE...]]...
//          [--stdin-kind ini|country] [--stdin-filename NAME] PATH...
//       PATH "-": standard input, a country settings file unless
//       --stdin-kind or --stdin-filename says otherwise;
//       exit code 0: notes at most, 1: warnings, 2: errors,
//       3: unreadable input or an unusable command line
//   qvlint --codes             the finding codes with their severities
//   qvlint --effect [--platform P] [--codepage N] [--time SECONDS] FILE
//                              what qvsmzad writes from FILE, as a REGEDIT4 file
//   qvlint --plan CLASS|all [--json] [--switches LETTERS] [--hardware-id ID]
//          [--machine FILE.reg] [--libraries FILE] [--windows-dir DIR]
//          [--time SECONDS] MEDIUM
//                              what setup's silent run does with MEDIUM on a
//                              simulated machine
//   qvlint --fleet [--json] LOG...|DIR
//                              the installation logs of a fleet summed up;
//                              exit code 0: every one installed, 1: not
//                              every one, 3: a path can not be read or an
//                              unusable command line
//   qvlint --help | -h         the usage, exit code 0
//   qvlint --version           the project's version, exit code 0
#include <cstdio>

#include "arguments.h"
#include "effect_command.h"
#include "fleet.h"
#include "lint_command.h"
#include "plan_command.h"

int main(int argc, char** argv) {
  if (HasArgument(argc, argv, "--help") || HasArgument(argc, argv, "-h")) {
    PrintUsage(stdout);
    return kClean;
  }
  if (HasArgument(argc, argv, "--version")) {
    puts("qvlint " QVLINT_VERSION);
    return kClean;
  }
  if (HasArgument(argc, argv, "--effect")) return EffectCommand(argc, argv);
  if (HasArgument(argc, argv, "--fleet")) return FleetCommand(argc, argv);
  if (HasOption(argc, argv, "--plan")) return PlanCommand(argc, argv);
  return LintCommand(argc, argv);
}
