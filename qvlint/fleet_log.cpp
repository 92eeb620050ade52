#include "fleet_log.h"

#include <cstring>

namespace {

void AddUnread(FleetLog* log, const char* why) {
  ++log->unreadCount;
  if (log->unread.size() < kUnreadLinesListed) log->unread.push_back({log->lines, why});
}

// The file's name without its directories and its extension.
std::string NameOfFile(const std::string& file) {
  const size_t slash = file.find_last_of("/\\");
  std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

void TakeStart(FleetLog* log, const LogClock& clock, const StartFacts& facts) {
  ++log->runs;
  log->start = facts;
  log->started = clock;
  log->computerOfFile = facts.computer[0] == '\0';
  log->computer = log->computerOfFile ? NameOfFile(log->file) : facts.computer;
  log->milliseconds = 0;
  log->result = kRunWithoutEnd;
  log->exitCode = 0;
  log->reason.clear();
  log->markedFailure.clear();
  log->unmarkedFailure.clear();
}

void TakeEvent(FleetLog* log, const LogClock& clock, const char* text) {
  log->milliseconds = ClockMilliseconds(clock) - ClockMilliseconds(log->started);
  log->lastText = text;
  const char* reason = nullptr;
  if (ReadEndText(text, &log->exitCode, &reason)) {
    log->result = log->exitCode == 0 ? kRunInstalled : kRunFailed;
    log->reason = reason;
    return;
  }
  const char* failure = FailureText(text);
  if (failure && log->markedFailure.empty()) log->markedFailure = failure;
  if (!failure && log->unmarkedFailure.empty() && UnmarkedFailureText(text))
    log->unmarkedFailure = text;
}

}  // namespace

FleetLog StartFleetLog(const std::string& file) {
  FleetLog log = {};
  log.file = file;
  log.isLog = true;
  return log;
}

void TakeFleetLine(FleetLog* log, const char* line, size_t length, LineEnd end) {
  ++log->lines;
  if (!log->isLog) return;
  LogClock clock = {};
  StartFacts facts;
  const char* text = line + kLogTimeLength;
  const bool start = ReadLogTime(line, length, &clock) && ReadStartText(text, &facts);
  if (log->runs == 0 && !start) {
    log->isLog = false;
    log->notALog = length == 0 && end == kLineCutByFileEnd
                       ? "empty"
                       : "its first line is no start line of setup's log";
    return;
  }
  if (end != kLineWhole) {
    AddUnread(log, end == kLineTooLong ? "longer than any line of setup's log"
                                       : "cut: the file ends inside the line");
    // A start line cut after its switches still names the run.
    if (start && log->runs == 0) TakeStart(log, clock, facts);
    return;
  }
  const char* fault = LineFault(line, length);
  if (fault) {
    AddUnread(log, fault);
    return;
  }
  if (start) {
    TakeStart(log, clock, facts);
  } else if (log->result == kRunWithoutEnd) {
    TakeEvent(log, clock, text);
  } else {
    AddUnread(log, "after the run's end line");
  }
}

void FinishFleetLog(FleetLog* log) {
  if (log->isLog && log->runs == 0) {
    log->isLog = false;
    log->notALog = "no start line could be read";
  }
  if (!log->isLog) return;
  if (log->result == kRunWithoutEnd) {
    log->reason = log->lastText.empty() ? "no line read after the start"
                                        : "last line: " + log->lastText;
    log->reasonSource = kReasonOfLastLine;
  } else if (!log->reason.empty()) {
    log->reasonSource = kReasonOfEndLine;
  } else if (!log->markedFailure.empty() ||
             (log->result == kRunFailed && !log->unmarkedFailure.empty())) {
    log->reason = log->markedFailure.empty() ? log->unmarkedFailure : log->markedFailure;
    log->reasonSource = kReasonOfFailureLine;
  } else {
    log->reason = "no reason given";
    log->reasonSource = kNoReasonGiven;
  }
  log->lastText.clear();
  log->markedFailure.clear();
  log->unmarkedFailure.clear();
}

bool ReadFleetLog(FILE* stream, FleetLog* log) {
  char block[65536];
  char line[kFleetLineSize];
  size_t length = 0;
  LineEnd ending = kLineWhole;
  size_t got = 0;
  while ((got = fread(block, 1, sizeof block, stream)) > 0) {
    for (const char* at = block; at < block + got;) {
      const char* end = static_cast<const char*>(memchr(at, '\n', block + got - at));
      const size_t count = static_cast<size_t>((end ? end : block + got) - at);
      const size_t taken = count < sizeof line - 1 - length ? count : sizeof line - 1 - length;
      memcpy(line + length, at, taken);
      length += taken;
      if (taken < count) ending = kLineTooLong;
      if (!end) break;
      if (length > 0 && line[length - 1] == '\r') --length;
      line[length] = '\0';
      TakeFleetLine(log, line, length, ending);
      length = 0;
      ending = kLineWhole;
      at = end + 1;
    }
  }
  const bool read = !ferror(stream);
  if (length > 0 || log->lines == 0) {
    line[length] = '\0';
    TakeFleetLine(log, line, length, ending == kLineWhole ? kLineCutByFileEnd : ending);
  }
  FinishFleetLog(log);
  return read;
}
