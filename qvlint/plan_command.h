// qvlint --plan CLASS|all MEDIUM: what setup's silent run does with a
// medium on a simulated machine, in both builds.
#ifndef QVLINT_PLAN_COMMAND_H
#define QVLINT_PLAN_COMMAND_H

#include "finding.h"
#include "plan.h"

// The arguments beside --plan: the class, the options and one medium
// directory. Exit code 0, 1 with findings, 2 for an unusable command line or
// an input that can not be read.
int PlanCommand(int argc, char** argv);

// An option of the machine and the run that the plans take (--switches,
// --hardware-id, --machine, --libraries, --windows-dir, --medium-dir,
// --in-use, --free-space, --time) at argv[*i], into the request; false when
// argv[*i] is none. A malformed one sets `ended` to the exit code, having
// said why.
bool ReadPlanOption(int argc, char** argv, int* i, PlanRequest* request, int* ended);

#endif
