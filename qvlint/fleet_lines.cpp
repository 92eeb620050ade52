#include "fleet_lines.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool StartsWith(const char* text, const char* start) {
  return strncmp(text, start, strlen(start)) == 0;
}

// The number of `width` digits at text, or -1.
int Digits(const char* text, int width) {
  int number = 0;
  for (int i = 0; i < width; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    number = number * 10 + (text[i] - '0');
  }
  return number;
}

// Copies text up to `end` (not included) into out, cut to fit.
void CopyUpTo(char* out, size_t outSize, const char* text, const char* end) {
  size_t length = static_cast<size_t>(end - text);
  if (length >= outSize) length = outSize - 1;
  memcpy(out, text, length);
  out[length] = '\0';
}

// The last ": " of text, or null.
const char* LastColon(const char* text) {
  const char* last = nullptr;
  for (const char* at = strstr(text, ": "); at; at = strstr(at + 1, ": ")) last = at;
  return last;
}

// Whether the result after the last ": " of text is other than "ok".
bool ResultNotOk(const char* text) {
  const char* colon = LastColon(text);
  return colon != nullptr && strcmp(colon + 2, "ok") != 0;
}

// The texts that begin each kind of line of every version of the log.
const char* const kKnownStarts[] = {
    kLogStartText, kLogEndText,    "options: ",   "list [",
    "message [",   "copy ",        "delete ",     "rename ",
    "load ",       "bind ",        "restart ",    "registry ",
    "call ",       "run ",         "not run ",    "medium incomplete: ",
    "preflight: ", "modem poll: ", "recovered: ", "INF left as it is",
};

}  // namespace

bool ReadLogTime(const char* line, size_t length, LogClock* clock) {
  if (length < kLogTimeLength) return false;
  static const char kPattern[] = "dddd-dd-dd dd:dd:dd.ddd ";
  for (size_t i = 0; i < kLogTimeLength; ++i) {
    const bool digit = line[i] >= '0' && line[i] <= '9';
    if (kPattern[i] == 'd' ? !digit : line[i] != kPattern[i]) return false;
  }
  *clock = {Digits(line, 4),      Digits(line + 5, 2),  Digits(line + 8, 2), Digits(line + 11, 2),
            Digits(line + 14, 2), Digits(line + 17, 2), Digits(line + 20, 3)};
  return clock->month >= 1 && clock->month <= 12 && clock->day >= 1 && clock->day <= 31 &&
         clock->hour < 24 && clock->minute < 60 && clock->second < 60;
}

long long ClockMilliseconds(const LogClock& clock) {
  // Days from the civil date, counted in eras of 400 years from 1 March.
  const long long year = clock.month <= 2 ? clock.year - 1 : clock.year;
  const long long era = year / 400;
  const long long yearOfEra = year - era * 400;
  const long long month = clock.month > 2 ? clock.month - 3 : clock.month + 9;
  const long long dayOfYear = (153 * month + 2) / 5 + clock.day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long long days = era * 146097 + dayOfEra - 719468;
  return ((days * 24 + clock.hour) * 60 + clock.minute) * 60000LL + clock.second * 1000LL +
         clock.millisecond;
}

bool ReadStartText(const char* text, StartFacts* facts) {
  memset(facts, 0, sizeof *facts);
  if (!StartsWith(text, kLogStartText)) return false;
  const char* at = text + sizeof kLogStartText - 1;
  if (StartsWith(at, "computer \"")) {
    at += 10;
    const char* end = strstr(at, "\", class ");
    if (end == nullptr) return false;
    CopyUpTo(facts->computer, sizeof facts->computer, at, end);
    at = end + 3;
  }
  if (!StartsWith(at, "class ")) return false;
  char* afterNumber = nullptr;
  const long number = strtol(at + 6, &afterNumber, 10);
  if (afterNumber == at + 6 || !StartsWith(afterNumber, " (")) return false;
  const char* nameEnd = strstr(afterNumber, "), switches ");
  if (nameEnd == nullptr) return false;
  facts->osClass = static_cast<int>(number);
  CopyUpTo(facts->className, sizeof facts->className, afterNumber + 2, nameEnd);
  const char* switches = nameEnd + 12;
  const char* switchesEnd = strstr(switches, ", ");
  if (switchesEnd == nullptr) switchesEnd = switches + strlen(switches);
  CopyUpTo(facts->switches, sizeof facts->switches, switches, switchesEnd);
  return facts->switches[0] != '\0';
}

bool ReadEndText(const char* text, long* exitCode, const char** reason) {
  if (!StartsWith(text, kLogEndText)) return false;
  const char* number = text + sizeof kLogEndText - 1;
  char* after = nullptr;
  *exitCode = strtol(number, &after, 10);
  if (after == number || (*after != '\0' && !StartsWith(after, ": "))) return false;
  *reason = *after ? after + 2 : after;
  return true;
}

const char* FailureText(const char* text) {
  return StartsWith(text, kLogFailureMark) ? text + sizeof kLogFailureMark - 1 : nullptr;
}

bool KnownLogText(const char* text) {
  const char* failure = FailureText(text);
  if (failure) text = failure;
  for (const char* start : kKnownStarts) {
    if (StartsWith(text, start)) return true;
  }
  return false;
}

bool UnmarkedFailureText(const char* text) {
  if (StartsWith(text, "medium incomplete: ") || StartsWith(text, "preflight: ") ||
      StartsWith(text, "not run ") || StartsWith(text, "bind "))
    return true;
  if (StartsWith(text, "run ")) return strstr(text, "\": not started, ") != nullptr;
  if (StartsWith(text, "copy ") || StartsWith(text, "load ") || StartsWith(text, "registry set ") ||
      StartsWith(text, "registry create key "))
    return ResultNotOk(text);
  return false;
}

const char* LineFault(const char* line, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (c < 0x20 || c == 0x7F) return "control bytes, which setup never writes";
  }
  LogClock clock;
  if (!ReadLogTime(line, length, &clock)) return "no timestamp";
  if (!KnownLogText(line + kLogTimeLength)) return "no line of setup's log has this form";
  return nullptr;
}
