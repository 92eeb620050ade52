#include "fleet_output.h"

#include <algorithm>
#include <cstring>

#include "output.h"
#include "shown_text.h"

namespace {

const char* ResultName(FleetResult result) {
  const char* const names[] = {"installed", "failed", "without an end"};
  return names[result];
}

const char* ReasonSourceName(ReasonSource source) {
  const char* const names[] = {"end line", "failure line", "last line", "none"};
  return names[source];
}

// "2026-12-08 08:56:12.320"; `withMilliseconds` false leaves them off.
std::string ClockText(const LogClock& clock, bool withMilliseconds) {
  char text[40];
  snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", clock.year, clock.month,
           clock.day, clock.hour, clock.minute, clock.second, clock.millisecond);
  if (!withMilliseconds) text[19] = '\0';
  return text;
}

std::vector<const FleetLog*> RunLogs(const std::vector<FleetLog>& logs) {
  std::vector<const FleetLog*> runs;
  for (const FleetLog& log : logs) {
    if (log.isLog) runs.push_back(&log);
  }
  return runs;
}

// text followed by blanks up to width characters, and two more.
void PrintColumn(FILE* out, const std::string& text, size_t width) {
  PrintEscapingControls(out, text.c_str());
  for (size_t i = text.size(); i < width + 2; ++i) fputc(' ', out);
}

void PrintComputerLines(const std::vector<const FleetLog*>& runs, FILE* out) {
  const char* const headings[] = {"computer", "class", "switches", "start", "duration", "result"};
  size_t widths[6];
  for (size_t i = 0; i < 6; ++i) widths[i] = strlen(headings[i]);
  std::vector<std::vector<std::string>> rows;
  for (const FleetLog* log : runs) {
    rows.push_back({log->computer, log->start.className, log->start.switches,
                    ClockText(log->started, false), DurationText(log->milliseconds),
                    ResultName(log->result)});
    for (size_t i = 0; i < 6; ++i) widths[i] = std::max(widths[i], rows.back()[i].size());
  }
  for (size_t i = 0; i < 6; ++i) PrintColumn(out, headings[i], widths[i]);
  fputs("reason\n", out);
  for (size_t row = 0; row < rows.size(); ++row) {
    for (size_t i = 0; i < 6; ++i) PrintColumn(out, rows[row][i], widths[i]);
    PrintEscapingControls(out, runs[row]->reason.c_str());
    fputc('\n', out);
  }
}

void PrintComputers(const std::vector<FleetLog>& logs, const std::vector<size_t>& indexes,
                    FILE* out) {
  fputs("  ", out);
  for (size_t i = 0; i < indexes.size(); ++i) {
    if (i > 0) fputs(", ", out);
    PrintEscapingControls(out, logs[indexes[i]].computer.c_str());
  }
  fputc('\n', out);
}

std::vector<size_t> WithoutEnd(const std::vector<FleetLog>& logs) {
  std::vector<size_t> indexes;
  for (size_t i = 0; i < logs.size(); ++i) {
    if (logs[i].isLog && logs[i].result == kRunWithoutEnd) indexes.push_back(i);
  }
  return indexes;
}

void PrintJsonField(FILE* out, const char* name, const std::string& text) {
  fprintf(out, "\"%s\": ", name);
  PrintJsonString(out, text.c_str());
}

void PrintJsonNames(FILE* out, const std::vector<FleetLog>& logs,
                    const std::vector<size_t>& indexes) {
  fputc('[', out);
  for (size_t i = 0; i < indexes.size(); ++i) {
    if (i > 0) fputs(", ", out);
    PrintJsonString(out, logs[indexes[i]].computer.c_str());
  }
  fputc(']', out);
}

void PrintJsonLog(FILE* out, const FleetLog& log) {
  fputs("    {", out);
  PrintJsonField(out, "file", log.file);
  fputs(", ", out);
  PrintJsonField(out, "computer", log.computer);
  fprintf(out, ", \"computer_from\": \"%s\", \"class\": %d, ",
          log.computerOfFile ? "file name" : "start line", log.start.osClass);
  PrintJsonField(out, "class_name", log.start.className);
  fputs(", ", out);
  PrintJsonField(out, "switches", log.start.switches);
  fputs(", ", out);
  PrintJsonField(out, "start", ClockText(log.started, true));
  // In a double, whose digits printf writes on every C library.
  fprintf(out, ", \"duration_ms\": %.0f, \"result\": \"%s\", \"exit_code\": ",
          static_cast<double>(log.milliseconds), ResultName(log.result));
  if (log.result == kRunWithoutEnd)
    fputs("null", out);
  else
    fprintf(out, "%ld", log.exitCode);
  fputs(", ", out);
  PrintJsonField(out, "reason", log.reason);
  fprintf(out, ", \"reason_from\": \"%s\", \"runs\": %u, \"lines_not_read\": %lu}",
          ReasonSourceName(log.reasonSource), log.runs, log.unreadCount);
}

}  // namespace

FleetCounts CountFleet(const std::vector<FleetLog>& logs) {
  FleetCounts counts = {};
  for (const FleetLog& log : logs) {
    if (!log.isLog)
      ++counts.notLogs;
    else if (log.result == kRunInstalled)
      ++counts.installed;
    else if (log.result == kRunFailed)
      ++counts.failed;
    else
      ++counts.withoutEnd;
  }
  return counts;
}

std::vector<FailureGroup> GroupFailures(const std::vector<FleetLog>& logs) {
  std::vector<FailureGroup> groups;
  for (size_t i = 0; i < logs.size(); ++i) {
    if (!logs[i].isLog || logs[i].result != kRunFailed) continue;
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const FailureGroup& g) { return g.reason == logs[i].reason; });
    if (group == groups.end()) group = groups.insert(groups.end(), {logs[i].reason, {}});
    group->logs.push_back(i);
  }
  std::stable_sort(groups.begin(), groups.end(), [](const FailureGroup& a, const FailureGroup& b) {
    return a.logs.size() > b.logs.size();
  });
  return groups;
}

std::string CountsLine(const FleetCounts& counts) {
  char line[160];
  int length = snprintf(line, sizeof line, "%u installed, %u failed, %u without an end",
                        counts.installed, counts.failed, counts.withoutEnd);
  if (counts.notLogs > 0)
    snprintf(line + length, sizeof line - static_cast<size_t>(length), ", %u not %s",
             counts.notLogs, counts.notLogs == 1 ? "a log" : "logs");
  return line;
}

std::string DurationText(long long milliseconds) {
  char text[48];
  const long seconds = static_cast<long>(milliseconds / 1000);
  if (milliseconds < 0)
    snprintf(text, sizeof text, "clock set back");
  else if (seconds < 60)
    snprintf(text, sizeof text, "%ld.%ld s", seconds, static_cast<long>(milliseconds % 1000 / 100));
  else if (seconds < 3600)
    snprintf(text, sizeof text, "%ld min %ld s", seconds / 60, seconds % 60);
  else
    snprintf(text, sizeof text, "%ld h %ld min", seconds / 3600, seconds % 3600 / 60);
  return text;
}

void PrintFleetText(const std::vector<FleetLog>& logs, FILE* out) {
  const std::vector<const FleetLog*> runs = RunLogs(logs);
  if (!runs.empty()) PrintComputerLines(runs, out);
  const std::vector<FailureGroup> groups = GroupFailures(logs);
  const std::vector<size_t> waiting = WithoutEnd(logs);
  if (!groups.empty() || !waiting.empty()) fputc('\n', out);
  for (const FailureGroup& group : groups) {
    fprintf(out, "failed (%u): ", static_cast<unsigned>(group.logs.size()));
    PrintEscapingControls(out, group.reason.c_str());
    fputc('\n', out);
    PrintComputers(logs, group.logs, out);
  }
  if (!waiting.empty()) {
    fprintf(out, "without an end, still running or cut off (%u):\n",
            static_cast<unsigned>(waiting.size()));
    PrintComputers(logs, waiting, out);
  }
  bool problems = false;
  for (const FleetLog& log : logs) {
    if (!log.isLog) {
      if (!problems) fputc('\n', out);
      problems = true;
      PrintEscapingControls(out, log.file.c_str());
      fprintf(out, ": not an installation log: %s\n", log.notALog.c_str());
      continue;
    }
    for (const UnreadLine& line : log.unread) {
      if (!problems) fputc('\n', out);
      problems = true;
      PrintEscapingControls(out, log.file.c_str());
      fprintf(out, ":%lu: not read: %s\n", line.number, line.why.c_str());
    }
    if (log.unreadCount > log.unread.size()) {
      PrintEscapingControls(out, log.file.c_str());
      fprintf(out, ": %lu more lines not read\n",
              log.unreadCount - static_cast<unsigned long>(log.unread.size()));
    }
  }
  fprintf(out, "\n%s\n", CountsLine(CountFleet(logs)).c_str());
}

void PrintFleetJson(const std::vector<FleetLog>& logs, FILE* out) {
  fputs("{\n  \"logs\": [", out);
  const char* separator = "\n";
  for (const FleetLog& log : logs) {
    if (!log.isLog) continue;
    fputs(separator, out);
    PrintJsonLog(out, log);
    separator = ",\n";
  }
  fputs("\n  ],\n  \"failures\": [", out);
  separator = "\n";
  for (const FailureGroup& group : GroupFailures(logs)) {
    fprintf(out, "%s    {", separator);
    PrintJsonField(out, "reason", group.reason);
    fputs(", \"computers\": ", out);
    PrintJsonNames(out, logs, group.logs);
    fputc('}', out);
    separator = ",\n";
  }
  fputs("\n  ],\n  \"without_an_end\": ", out);
  PrintJsonNames(out, logs, WithoutEnd(logs));
  fputs(",\n  \"not_logs\": [", out);
  separator = "";
  for (const FleetLog& log : logs) {
    if (log.isLog) continue;
    fprintf(out, "%s{", separator);
    PrintJsonField(out, "file", log.file);
    fputs(", ", out);
    PrintJsonField(out, "why", log.notALog);
    fputc('}', out);
    separator = ", ";
  }
  fputs("],\n  \"lines_not_read\": [", out);
  separator = "\n";
  for (const FleetLog& log : logs) {
    for (const UnreadLine& line : log.unread) {
      fprintf(out, "%s    {", separator);
      PrintJsonField(out, "file", log.file);
      fprintf(out, ", \"line\": %lu, ", line.number);
      PrintJsonField(out, "why", line.why);
      fputc('}', out);
      separator = ",\n";
    }
  }
  const FleetCounts counts = CountFleet(logs);
  fprintf(out,
          "\n  ],\n  \"counts\": {\"installed\": %u, \"failed\": %u, \"without_an_end\": %u, "
          "\"not_logs\": %u}\n}\n",
          counts.installed, counts.failed, counts.withoutEnd, counts.notLogs);
}
