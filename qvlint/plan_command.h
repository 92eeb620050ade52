// qvlint --plan CLASS|all MEDIUM: what setup's silent run does with a
// medium on a simulated machine (the native build only).
#ifndef QVLINT_PLAN_COMMAND_H
#define QVLINT_PLAN_COMMAND_H

// The arguments beside --plan: the class, the options and one medium
// directory. Exit code 0, 1 with findings, 2 for an unusable command line or
// an input that can not be read.
int PlanCommand(int argc, char** argv);

#endif
