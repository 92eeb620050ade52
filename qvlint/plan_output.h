// The plans of qvlint --plan for people and for tools: one plan as its
// steps, the end state and the exit code; the plans of every class as one
// table; either as JSON. The findings follow, as qvlint writes them.
#ifndef QVLINT_PLAN_OUTPUT_H
#define QVLINT_PLAN_OUTPUT_H

#include <cstdio>
#include <string>
#include <vector>

#include "output.h"
#include "plan.h"

// One plan: its machine and assumptions, the numbered steps, the files
// added, changed and removed, the registry changes as a REGEDIT4 file and
// the exit code with its reason; then the findings. `medium` is the
// medium's directory as the command line names it, `setupIni` its
// qvsetup.ini. The findings are counted in `output`.
void PrintPlan(const Plan& plan, const std::string& medium, const char* setupIni, Output* output);

// The plans of every class: a table with a column per class, each cell that
// differs from the first column marked, the exit code and its reason per
// class; then the findings, each once.
void PrintPlanTable(const std::vector<const Plan*>& plans, const std::string& medium,
                    const char* setupIni, Output* output);

#endif
