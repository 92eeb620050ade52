#include "base/log_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "base/platform.h"

namespace {

const ClockTime Noon = {2001, 3, 4, 12, 5, 9, 7};

std::string Line(const ClockTime& time, const char* text) {
  char out[kLogLineSize];
  const size_t length = FormatLogLine(out, time, text);
  EXPECT_EQ(std::string(out).size(), length);
  return out;
}

TEST(FormatLogLine, TimestampThenTextThenCrLf) {
  struct Case {
    ClockTime time;
    const char* text;
    const char* expected;
  } cases[] = {
      {Noon, "end: exit code 0", "2001-03-04 12:05:09.007 end: exit code 0\r\n"},
      {{1999, 12, 31, 23, 59, 59, 999}, "", "1999-12-31 23:59:59.999 \r\n"},
      {Noon,
       "a\r\nb\tc\x7f"
       "d",
       "2001-03-04 12:05:09.007 a  b c d\r\n"},
      {Noon, "caf\xe9", "2001-03-04 12:05:09.007 caf\xe9\r\n"},  // 8-bit text stays
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, Line(c.time, c.text)) << c.text;
}

TEST(FormatLogLine, CutsALongTextAndMarksTheCut) {
  const std::string fits(kLogTextLimit, 'x');
  EXPECT_EQ(fits, Line(Noon, fits.c_str()).substr(24, kLogTextLimit));
  const std::string longer(kLogTextLimit * 2, 'x');
  const std::string line = Line(Noon, longer.c_str());
  EXPECT_EQ(24 + kLogTextLimit + 2, line.size());
  EXPECT_EQ("xx...\r\n", line.substr(line.size() - 7));
}

std::string Built(void (*build)(LogText*)) {
  LogText log;
  StartLogText(&log, "");
  build(&log);
  EXPECT_EQ(std::string(log.Text).size(), log.Length);
  return log.Text;
}

TEST(LogText, NumbersAndStatuses) {
  struct Case {
    long number;
    const char* expected;
  } numbers[] = {{0, "0"},
                 {7, "7"},
                 {-1, "-1"},
                 {2147483647L, "2147483647"},
                 {-2147483647L - 1, "-2147483648"}};
  for (const Case& c : numbers) {
    LogText log;
    StartLogText(&log, "n=");
    AddLogNumber(&log, c.number);
    EXPECT_STREQ((std::string("n=") + c.expected).c_str(), log.Text);
  }
  struct Status {
    unsigned long status;
    const char* expected;
  } statuses[] = {
      {0, "ok"},
      {2, "not found (error 2: The system cannot find the file specified.)"},
      {3, "path not found (error 3: The system cannot find the path specified.)"},
      {5, "access denied (error 5: Access is denied.)"},
      {32,
       "in use (error 32: The process cannot access the file because it is being used by another "
       "process.)"},
      {126, "not found (error 126: The specified module could not be found.)"},
      {127, "not found (error 127: The specified procedure could not be found.)"},
      {1157,
       "not found (error 1157: One of the library files needed to run this application cannot be "
       "found.)"},
      {206, "path too long (error 206: The filename or extension is too long.)"},
      {112, "error 112: There is not enough space on the disk."},
      {123, "error 123: The filename, directory name, or volume label syntax is incorrect."},
      {193, "error 193: %1 is not a valid Win32 application."},
      {1008, "error 1008"},
      {0xC0000005UL, "error 3221225477"}};
  for (const Status& s : statuses) {
    LogText log;
    StartLogText(&log, nullptr);
    AddLogStatus(&log, s.status);
    EXPECT_STREQ(s.expected, log.Text) << s.status;
  }
}

TEST(LogText, PassedOverFailuresKeepTheirWordAndError) {
  struct Case {
    const char* why;
    unsigned long status;
    const char* expected;
  } cases[] = {
      {"nothing to remove", 2,
       "passed over: nothing to remove (not found, error 2: The system cannot find the file "
       "specified.)"},
      {"the directory does not exist on this Windows", 3,
       "passed over: the directory does not exist on this Windows (path not found, error 3: The "
       "system cannot find the path specified.)"},
      {"the run goes on without it", 1008, "passed over: the run goes on without it (error 1008)"},
  };
  for (const Case& c : cases) {
    LogText log;
    StartLogText(&log, nullptr);
    AddLogPassedOver(&log, c.why, c.status);
    EXPECT_STREQ(c.expected, log.Text) << c.status;
  }
}

TEST(LogText, ControlCharactersAreShownAsHex) {
  EXPECT_EQ("qvsm.sys\\x09X\\x0D\\x7F\xe9 ", Built([](LogText* log) {
              AddLogEscaped(log, "qvsm.sys\tX\r\x7f\xe9 ");
              AddLogEscaped(log, nullptr);
            }));
}

TEST(LogText, EveryEndReasonHasItsText) {
  for (int reason = kEndAnotherSetupRuns; reason <= kEndLogNotOpened; ++reason)
    EXPECT_STRNE("no reason told", EndReasonText(static_cast<RunEndReason>(reason))) << reason;
  EXPECT_EQ(kEndDetailPollSeconds, EndDetailOf(kEndModemFound));
  EXPECT_EQ(kEndDetailCause, EndDetailOf(kEndChangeFailed));
  EXPECT_EQ(kEndDetailNone, EndDetailOf(kEndServiceNeverRan));
}

TEST(LogDirectoryPrefix, EachDirectoryBelowTheRootInTurn) {
  struct Case {
    const char* path;
    size_t level;
    const char* expected;  // null: none
  } cases[] = {
      {"C:\\logs\\pc.log", 1, "C:\\logs"},
      {"C:\\logs\\pc.log", 2, nullptr},
      {"C:\\a\\b\\c.log", 2, "C:\\a\\b"},
      {"C:/a/b.log", 1, "C:/a"},
      {"\\\\server\\share\\logs\\pc.log", 1, "\\\\server\\share\\logs"},
      {"\\\\server\\share\\pc.log", 1, nullptr},
      {"\\logs\\pc.log", 1, "\\logs"},
      {"pc.log", 1, nullptr},
  };
  for (const Case& c : cases) {
    char out[64];
    const bool found = LogDirectoryPrefix(c.path, c.level, out, sizeof out);
    EXPECT_EQ(c.expected != nullptr, found) << c.path << " " << c.level;
    if (found && c.expected) {
      EXPECT_STREQ(c.expected, out) << c.path;
    }
  }
  char small[4];
  EXPECT_FALSE(LogDirectoryPrefix("C:\\logs\\pc.log", 1, small, sizeof small));
}

TEST(LogText, QuotedTextsStopAtTheirTerminatorOrCapacity) {
  EXPECT_EQ("\"ab\" \"\"", Built([](LogText* log) {
              AddLogQuoted(log, "ab");
              AddLogText(log, " ");
              AddLogQuoted(log, nullptr);
            }));
  // A buffer that a library filled without a terminator is read no further.
  EXPECT_EQ("\"PCI\"", Built([](LogText* log) {
              const char unterminated[3] = {'P', 'C', 'I'};
              AddLogQuoted(log, unterminated, sizeof unterminated);
            }));
  EXPECT_EQ("\"Mo?\xe9\"", Built([](LogText* log) { AddLogWideQuoted(log, L"Mo\x263A\xE9"); }));
}

TEST(LogText, CutsAtTheLimitWithAMarkAndAddsNothingAfter) {
  LogText log;
  StartLogText(&log, std::string(kLogTextLimit - 2, 'a').c_str());
  AddLogText(&log, "bcdef");
  EXPECT_EQ(kLogTextLimit, log.Length);
  EXPECT_EQ(std::string(kLogTextLimit - 3, 'a') + "...", log.Text);
  AddLogNumber(&log, 12);
  AddLogWideQuoted(&log, L"more");
  EXPECT_EQ(kLogTextLimit, log.Length);
  EXPECT_EQ("...", std::string(log.Text).substr(kLogTextLimit - 3));
}

TEST(LogText, SwitchesAndClass) {
  struct Case {
    CommandSwitches switches;
    const char* expected;
  } cases[] = {{{false, false, false}, "none"},
               {{true, false, false}, "S"},
               {{true, true, true}, "S D R"},
               {{false, true, true}, "D R"}};
  for (const Case& c : cases) {
    LogText log;
    StartLogText(&log, nullptr);
    AddLogSwitches(&log, c.switches);
    EXPECT_STREQ(c.expected, log.Text);
  }
  struct Class {
    OsClass osClass;
    const char* expected;
  } classes[] = {{kOsClassNT4, "1 (NT 4.0)"},
                 {kOsClassWin98SE, "6 (Windows 98 SE)"},
                 {kOsClassWinME, "7 (Windows ME)"},
                 {kOsClassUnknown, "0 (unknown)"},
                 {static_cast<OsClass>(5), "5 (unknown)"}};
  for (const Class& c : classes) {
    LogText log;
    StartLogText(&log, nullptr);
    AddLogOsClass(&log, c.osClass);
    EXPECT_STREQ(c.expected, log.Text);
  }
}

}  // namespace
