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
  } statuses[] = {{0, "ok"},
                  {2, "not found"},
                  {3, "path not found"},
                  {5, "access denied"},
                  {32, "in use"},
                  {126, "not found"},
                  {127, "not found"},
                  {1157, "not found"},
                  {206, "path too long"},
                  {1008, "error 1008"},
                  {0xC0000005UL, "error 3221225477"}};
  for (const Status& s : statuses) {
    LogText log;
    StartLogText(&log, nullptr);
    AddLogStatus(&log, s.status);
    EXPECT_STREQ(s.expected, log.Text) << s.status;
  }
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
