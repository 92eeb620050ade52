#include "plan_output.h"

#include <algorithm>

#include "shown_text.h"

namespace {

// Each kind's name in the plan, in the order of PlanStepKind.
const char* const kStepKindNames[] = {"copy",
                                      "delete",
                                      "rename",
                                      "mkdir",
                                      "registry-set",
                                      "registry-delete-value",
                                      "registry-delete-key",
                                      "call",
                                      "run",
                                      "wait",
                                      "check",
                                      "end"};

const char* ChangeName(FileChangeKind kind) {
  const char* const names[] = {"added", "changed", "removed"};
  return names[kind];
}

std::string ExitCodeText(const Plan& plan) {
  return plan.ends ? std::to_string(plan.exitCode) : std::string("none");
}

// ------------------------------------------------------------------- text

void PrintLine(FILE* stream, const std::string& text) {
  PrintEscapingControls(stream, text.c_str());
  fputc('\n', stream);
}

void PrintHeading(const Plan& plan, const std::string& medium, FILE* stream) {
  PrintLine(stream, "Plan of setup's silent run (command line \"" + plan.commandLine + "\") on " +
                        plan.platform->windowsName + ", simulated");
  PrintLine(stream, "  medium     " + medium + ", as " + plan.mediumDir);
  PrintLine(stream, "  Windows    " + plan.windowsDir + ", system directory " + plan.systemDir);
  for (const std::string& assumption : plan.assumptions)
    PrintLine(stream, "  assumed    " + assumption);
}

void PrintSteps(const Plan& plan, const char* setupIni, FILE* stream) {
  fputs("\nSteps\n", stream);
  const std::string file = setupIni;
  const std::string name = file.substr(file.find_last_of("/\\") + 1);
  for (size_t i = 0; i < plan.steps.size(); ++i) {
    const PlanStep& step = plan.steps[i];
    char number[32];
    snprintf(number, sizeof number, "%4zu. ", i + 1);
    std::string line = number + step.text + ": " + step.result;
    if (step.sourceLine != 0) line += "  (" + name + ":" + std::to_string(step.sourceLine) + ")";
    PrintLine(stream, line);
  }
}

void PrintFiles(const Plan& plan, FILE* stream) {
  fputs("\nFiles\n", stream);
  for (const PlanFileChange& file : plan.files) {
    char change[16];
    snprintf(change, sizeof change, "  %-9s", ChangeName(file.change));
    PrintLine(stream, change + file.path);
  }
  if (plan.files.empty()) fputs("  none added, changed or removed\n", stream);
}

// The REGEDIT4 file line by line, with this output's line ends.
void PrintRegistry(const Plan& plan, FILE* stream) {
  fputs("\nRegistry changes\n", stream);
  for (size_t start = 0; start < plan.registry.size();) {
    size_t end = plan.registry.find("\r\n", start);
    if (end == std::string::npos) end = plan.registry.size();
    PrintLine(stream, plan.registry.substr(start, end - start));
    start = end + 2;
  }
}

// Each finding as qvlint writes it, counted in `output`; in JSON the
// objects of an array whose brackets the caller writes.
void PrintFindings(const std::vector<const Plan*>& plans, const char* setupIni, Output* output) {
  bool any = false;
  for (const Plan* plan : plans) any = any || !plan->findings.empty();
  if (any && !output->json) fputc('\n', output->stream);
  output->written = 0;
  output->errors = 0;
  output->warnings = 0;
  FindingSink sink = {PrintFinding, output};
  ReportPlanFindings(plans, setupIni, &sink);
}

// ------------------------------------------------------------------- JSON

void Member(FILE* stream, const char* name, const std::string& text) {
  fprintf(stream, ", \"%s\": ", name);
  PrintJsonString(stream, text.c_str());
}

void PrintSourceLine(FILE* stream, const PlanStep& step) {
  if (step.sourceLine != 0)
    fprintf(stream, ", \"source_line\": %u", step.sourceLine);
  else
    fputs(", \"source_line\": null", stream);
}

void PrintStepJson(FILE* stream, size_t number, const PlanStep& step) {
  fprintf(stream, "    {\"number\": %zu, \"kind\": \"%s\"", number, kStepKindNames[step.kind]);
  Member(stream, "text", step.text);
  Member(stream, "result", step.result);
  switch (step.kind) {
    case kStepCopy:
      Member(stream, "from", step.from);
      Member(stream, "to", step.to);
      PrintSourceLine(stream, step);
      break;
    case kStepRename:
      Member(stream, "from", step.from);
      Member(stream, "to", step.to);
      break;
    case kStepDelete:
    case kStepMakeDirectory:
      Member(stream, "path", step.path);
      break;
    case kStepRegistrySet:
      Member(stream, "key", step.key);
      Member(stream, "value", step.value);
      Member(stream, "data", step.data);
      break;
    case kStepRegistryDeleteValue:
      Member(stream, "key", step.key);
      Member(stream, "value", step.value);
      break;
    case kStepRegistryDeleteKey:
      Member(stream, "key", step.key);
      break;
    case kStepCall:
      Member(stream, "entry", step.entry);
      Member(stream, "arguments", step.arguments);
      break;
    case kStepRun:
      Member(stream, "path", step.path);
      Member(stream, "command", step.command);
      Member(stream, "directory", step.directory);
      PrintSourceLine(stream, step);
      break;
    case kStepWait:
      Member(stream, "for", step.waitFor);
      fprintf(stream, ", \"interval_ms\": %u, \"limit_ms\": %u, \"waited_ms\": %lld", step.interval,
              step.limit, step.waited);
      break;
    case kStepCheck:
    case kStepEnd:
      break;
  }
  fputc('}', stream);
}

void PrintList(FILE* stream, const char* name, const std::vector<std::string>& texts) {
  fprintf(stream, ",\n  \"%s\": [", name);
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) fputs(", ", stream);
    PrintJsonString(stream, texts[i].c_str());
  }
  fputc(']', stream);
}

// The plan's members, without the braces around them.
// The plan's members, each on a line of its own, without the braces.
void PrintPlanMembers(const Plan& plan, FILE* stream) {
  const auto member = [stream](const char* name, const std::string& text) {
    fprintf(stream, ",\n  \"%s\": ", name);
    PrintJsonString(stream, text.c_str());
  };
  fputs("  \"platform\": ", stream);
  PrintJsonString(stream, plan.platform->name);
  member("windows", plan.platform->windowsName);
  member("command_line", plan.commandLine);
  member("windows_directory", plan.windowsDir);
  member("system_directory", plan.systemDir);
  PrintList(stream, "assumptions", plan.assumptions);
  fprintf(stream, ",\n  \"exit_code\": %s",
          plan.ends ? std::to_string(plan.exitCode).c_str() : "null");
  member("exit_reason", plan.exitReason);
  fprintf(stream, ",\n  \"end_clock_ms\": %lld", plan.endClock);
  fputs(",\n  \"steps\": [", stream);
  for (size_t i = 0; i < plan.steps.size(); ++i) {
    fputs(i > 0 ? ",\n" : "\n", stream);
    PrintStepJson(stream, i + 1, plan.steps[i]);
  }
  fputs(plan.steps.empty() ? "]" : "\n  ]", stream);
  fputs(",\n  \"files\": [", stream);
  for (size_t i = 0; i < plan.files.size(); ++i) {
    fputs(i > 0 ? ",\n    {\"path\": " : "\n    {\"path\": ", stream);
    PrintJsonString(stream, plan.files[i].path.c_str());
    Member(stream, "change", ChangeName(plan.files[i].change));
    fputc('}', stream);
  }
  fputs(plan.files.empty() ? "]" : "\n  ]", stream);
  member("registry", plan.registry);
}

void PrintFindingsJson(const std::vector<const Plan*>& plans, const char* setupIni,
                       Output* output) {
  fputs(",\n  \"findings\": [", output->stream);
  PrintFindings(plans, setupIni, output);
  fputs(output->written == 0 ? "]" : "\n  ]", output->stream);
}

// ------------------------------------------------------------------ table

const size_t kLabelWidth = 18;
const size_t kCellWidth = 10;

std::string Padded(const std::string& text, size_t width = kCellWidth) {
  return text.size() < width ? text + std::string(width - text.size(), ' ') : text + ' ';
}

std::string Trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

struct TableRow {
  const char* label;
  std::string (*cell)(const Plan& plan);
};

unsigned CountSteps(const Plan& plan, PlanStepKind kind) {
  unsigned count = 0;
  for (const PlanStep& step : plan.steps) {
    const bool counted = kind == kStepCall ? step.call == kEntryCall : step.started;
    if (step.kind == kind && counted) ++count;
  }
  return count;
}

unsigned CountFiles(const Plan& plan, bool removed) {
  unsigned count = 0;
  for (const PlanFileChange& file : plan.files) {
    if ((file.change == kFileRemoved) == removed) ++count;
  }
  return count;
}

const TableRow kTableRows[] = {
    {"exit code", [](const Plan& plan) { return ExitCodeText(plan); }},
    {"ends after", [](const Plan& plan) { return SecondsText(plan.endClock); }},
    {"steps", [](const Plan& plan) { return std::to_string(plan.steps.size()); }},
    {"files placed", [](const Plan& plan) { return std::to_string(CountFiles(plan, false)); }},
    {"files removed", [](const Plan& plan) { return std::to_string(CountFiles(plan, true)); }},
    {"keys written", [](const Plan& plan) { return std::to_string(plan.keysWritten); }},
    {"keys deleted", [](const Plan& plan) { return std::to_string(plan.keysDeleted); }},
    {"library calls", [](const Plan& plan) { return std::to_string(CountSteps(plan, kStepCall)); }},
    {"programs started",
     [](const Plan& plan) { return std::to_string(CountSteps(plan, kStepRun)); }},
};

void PrintTable(const std::vector<const Plan*>& plans, const std::string& medium, FILE* stream) {
  const Plan& first = *plans.front();
  PrintLine(stream, "Plans of setup's silent run (command line \"" + first.commandLine +
                        "\") with the medium " + medium + ", simulated class by class;");
  PrintLine(stream,
            std::string("* marks a cell that differs from ") + first.platform->windowsName + ".");
  fputc('\n', stream);
  std::string header(kLabelWidth, ' ');
  for (const Plan* plan : plans) header += Padded(plan->platform->name);
  PrintLine(stream, Trimmed(header));
  for (const TableRow& row : kTableRows) {
    std::string line = Padded(row.label, kLabelWidth);
    for (const Plan* plan : plans)
      line += Padded(row.cell(*plan) + (row.cell(*plan) != row.cell(first) ? "*" : ""));
    PrintLine(stream, Trimmed(line));
  }
  fputc('\n', stream);
  std::vector<std::string> assumptions;
  for (const Plan* plan : plans) {
    PrintLine(stream, Padded(plan->platform->name, 6) + "exit code " + ExitCodeText(*plan) + ": " +
                          plan->exitReason);
    for (const std::string& assumption : plan->assumptions) {
      if (std::find(assumptions.begin(), assumptions.end(), assumption) == assumptions.end())
        assumptions.push_back(assumption);
    }
  }
  for (const std::string& assumption : assumptions) PrintLine(stream, "assumed: " + assumption);
}

}  // namespace

void PrintPlan(const Plan& plan, const std::string& medium, const char* setupIni, Output* output) {
  FILE* stream = output->stream;
  if (output->json) {
    fputs("{\n", stream);
    PrintPlanMembers(plan, stream);
    PrintFindingsJson({&plan}, setupIni, output);
    fputs("\n}\n", stream);
    return;
  }
  PrintHeading(plan, medium, stream);
  PrintSteps(plan, setupIni, stream);
  PrintFiles(plan, stream);
  PrintRegistry(plan, stream);
  PrintLine(stream, "Exit code " + ExitCodeText(plan) + ": " + plan.exitReason + ".");
  PrintFindings({&plan}, setupIni, output);
}

void PrintPlanTable(const std::vector<const Plan*>& plans, const std::string& medium,
                    const char* setupIni, Output* output) {
  FILE* stream = output->stream;
  if (output->json) {
    fputs("{\"plans\": [", stream);
    for (size_t i = 0; i < plans.size(); ++i) {
      fputs(i > 0 ? ",\n {\n" : "\n {\n", stream);
      PrintPlanMembers(*plans[i], stream);
      fputs("\n }", stream);
    }
    fputs("]", stream);
    PrintFindingsJson(plans, setupIni, output);
    fputs("\n}\n", stream);
    return;
  }
  PrintTable(plans, medium, stream);
  PrintFindings(plans, setupIni, output);
}
