// qvlint --fleet: the lines of every form of setup's log, and the report on
// a directory of a fleet's logs.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fleet_lines.h"
#include "fleet_log.h"
#include "fleet_report.h"
#include "table_cases.h"

namespace {

TEST(FleetLines, StartLineOfEachForm) {
  struct Case {
    const char* text;
    bool read;
    const char* computer;
    int osClass;
    const char* className;
    const char* switches;
  };
  const Case cases[] = {
      // the first logs, before the computer was named
      {"start: class 6 (Windows 98 SE), switches S, StartDir=\"C:\\medium\"", true, "", 6,
       "Windows 98 SE", "S"},
      {"start: computer \"PC-7\", class 7 (Windows 2000), switches S D R, StartDir=\"C:\\m\"", true,
       "PC-7", 7, "Windows 2000", "S D R"},
      {"start: computer \"\", class 2 (NT 4.0), switches none, StartDir=\"\"", true, "", 2,
       "NT 4.0", "none"},
      // a start line cut after its switches still names the run
      {"start: computer \"PC-7\", class 3 (Windows 95), switches S", true, "PC-7", 3, "Windows 95",
       "S"},
      {"start: computer \"PC-7\", class 3 (Windows 95)", false, "", 0, "", ""},
      {"start: computer \"PC-7, class 3 (Windows 95), switches S", false, "", 0, "", ""},
      {"start: class x (Windows 95), switches S", false, "", 0, "", ""},
      {"end: exit code 0", false, "", 0, "", ""},
  };
  ForEachCase(cases, &Case::text, [](const Case& c) {
    StartFacts facts;
    ASSERT_EQ(c.read, ReadStartText(c.text, &facts));
    if (!c.read) return;
    EXPECT_STREQ(c.computer, facts.computer);
    EXPECT_EQ(c.osClass, facts.osClass);
    EXPECT_STREQ(c.className, facts.className);
    EXPECT_STREQ(c.switches, facts.switches);
  });
}

TEST(FleetLines, EndLineWithAndWithoutItsReason) {
  struct Case {
    const char* text;
    bool read;
    long exitCode;
    const char* reason;
  };
  const Case cases[] = {
      {"end: exit code 0", true, 0, ""},
      {"end: exit code -1", true, -1, ""},
      {"end: exit code -1: the copy of a to b failed: access denied (error 5)", true, -1,
       "the copy of a to b failed: access denied (error 5)"},
      {"end: exit code 0: installed; the modem's class record appeared after 6 s", true, 0,
       "installed; the modem's class record appeared after 6 s"},
      {"end: exit code ", false, 0, ""},
      {"end: exit code -1 because", false, 0, ""},
      {"!!! end: exit code -1", false, 0, ""},
  };
  ForEachCase(cases, &Case::text, [](const Case& c) {
    long exitCode = 99;
    const char* reason = nullptr;
    ASSERT_EQ(c.read, ReadEndText(c.text, &exitCode, &reason));
    if (!c.read) return;
    EXPECT_EQ(c.exitCode, exitCode);
    EXPECT_STREQ(c.reason, reason);
  });
}

TEST(FleetLines, WhatMakesALineUnreadable) {
  const Row<std::string, std::string> rows[] = {
      {"2026-12-08 08:56:12.331 load QVSETUP2.DLL: ok", ""},
      {"2026-12-08 08:56:12.331 !!! copy a -> b: access denied (error 5: Access is denied.)", ""},
      {"2026-12-08 08:56:12.331 options: CopyFilesOnly=no (value \"1\")", ""},
      {"2026-12-08 08:56:12.331 list [COPY_FILES_9X] Tools=qvsetup.ini TOOLS: taken", ""},
      {"2026-12-08 08:56:12.331 recovered: SourcePath still holds \"C:\\m\"", ""},
      {"2026-12-08 08:56:12.331 INF left as it is: not compared with the medium's", ""},
      {"2026-12-08 08:56:12.331 copied a -> b", "no line of setup's log has this form"},
      {"2026-12-08 08:56:12.331 !!! ", "no line of setup's log has this form"},
      {"2026-13-08 08:56:12.331 load X: ok", "no timestamp"},
      {"2026-12-08 08:56:12 load X: ok", "no timestamp"},
      {"", "no timestamp"},
      {std::string("2026-12-08 08:56:12.331 load X\0: ok", 35),
       "control bytes, which setup never writes"},
      {"2026-12-08 08:56:12.331 load\tX: ok", "control bytes, which setup never writes"},
  };
  ExpectEach(rows, [](const std::string& line) {
    const char* fault = LineFault(line.c_str(), line.size());
    return std::string(fault ? fault : "");
  });
}

TEST(FleetLines, FailuresOfTheLogsBeforeTheyWereMarked) {
  const Row<const char*, bool> rows[] = {
      {"copy C:\\medium\\qvsm.sys -> C:\\WINNT\\system32\\drivers\\qvsm.sys: access denied", true},
      {"copy C:\\medium\\a.inf -> C:\\windows\\INF\\a.inf: ok", false},
      {"delete C:\\windows\\INF\\qvsmvxd.inf: not found", false},
      {"registry delete key HKLM\\SOFTWARE\\X: not found", false},
      {"registry set HKLM\\Software\\Tavelin [CleanUpRegistry] = \"Y\": access denied", true},
      {"load QVSETUP2.DLL: not found", true},
      {"bind RefreshWin2K: not found", true},
      {"run C:\\medium\\qvsmzad.exe \"qvsmzad.exe\": not started, error 193", true},
      {"run C:\\medium\\qvsmzad.exe \"qvsmzad.exe\": exit code 3", false},
      {"medium incomplete: \"C:\\medium\\qvsm.sys\" is missing or can not be read", true},
      {"preflight: \"C:\\WINNT\" writable: access denied; nothing is changed", true},
      {"message [DLL2 ok] xy", false},
  };
  ExpectEach(rows, UnmarkedFailureText);
}

TEST(FleetLines, TimesSubtractAcrossDaysMonthsAndYears) {
  struct Case {
    const char* name;
    LogClock from, to;
    long long milliseconds;
  };
  const Case cases[] = {
      {"same second", {2026, 12, 8, 8, 56, 12, 320}, {2026, 12, 8, 8, 56, 12, 999}, 679},
      {"midnight", {2026, 12, 8, 23, 59, 59, 0}, {2026, 12, 9, 0, 0, 6, 0}, 7000},
      {"year's end", {2026, 12, 31, 23, 0, 0, 0}, {2027, 1, 1, 1, 0, 0, 0}, 7200000},
      {"leap day", {2028, 2, 28, 12, 0, 0, 0}, {2028, 3, 1, 12, 0, 0, 0}, 172800000},
  };
  ForEachCase(cases, &Case::name, [](const Case& c) {
    EXPECT_EQ(c.milliseconds, ClockMilliseconds(c.to) - ClockMilliseconds(c.from));
  });
  EXPECT_EQ(0, ClockMilliseconds({1970, 1, 1, 0, 0, 0, 0}));
}

// Names and contents of files.
using Files = std::vector<std::pair<std::string, std::string>>;

// A directory of its own, with the files given, removed at the end.
class LogDirectory {
 public:
  explicit LogDirectory(const Files& files) {
    char pattern[] = "/tmp/qvlint_fleet_XXXXXX";
    path_ = mkdtemp(pattern);
    for (const auto& file : files) {
      FILE* stream = fopen((path_ + "/" + file.first).c_str(), "wb");
      fwrite(file.second.data(), 1, file.second.size(), stream);
      fclose(stream);
      names_.push_back(file.first);
    }
  }
  ~LogDirectory() {
    for (const std::string& name : names_) unlink((path_ + "/" + name).c_str());
    rmdir(path_.c_str());
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::vector<std::string> names_;
};

// What ReportFleet writes to standard output, its exit code in `code`, the
// directory's path written as "DIR".
std::string Reported(const std::vector<std::string>& paths, const std::string& dir, bool json,
                     int* code, std::string* errors = nullptr) {
  FILE* out = tmpfile();
  FILE* err = tmpfile();
  *code = ReportFleet(paths, json, out, err);
  std::string texts[2];
  FILE* streams[2] = {out, err};
  for (int i = 0; i < 2; ++i) {
    texts[i].resize(static_cast<size_t>(ftell(streams[i])));
    rewind(streams[i]);
    texts[i].resize(fread(&texts[i][0], 1, texts[i].size(), streams[i]));
    fclose(streams[i]);
    for (size_t at; !dir.empty() && (at = texts[i].find(dir)) != std::string::npos;)
      texts[i].replace(at, dir.size(), "DIR");
  }
  if (errors) *errors = texts[1];
  return texts[0];
}

const char kInstalled[] =
    // an earlier run that failed: the last run of the file counts
    "2026-12-08 08:00:00.000 start: computer \"PC-OK\", class 4 (Windows 98), switches S, "
    "StartDir=\"C:\\medium\"\r\n"
    "2026-12-08 08:00:01.000 end: exit code -1: the setup library QVSETUP2.DLL could not be "
    "loaded: not found (error 126: The specified module could not be found.)\r\n"
    "2026-12-08 09:00:00.000 start: computer \"PC-OK\", class 4 (Windows 98), switches S, "
    "StartDir=\"C:\\medium\"\r\n"
    "2026-12-08 09:00:00.010 options: CopyFilesOnly=no (value \"1\"), Debug=no (no key)\r\n"
    "2026-12-08 09:00:00.020 delete C:\\WINDOWS\\SYSTEM\\qvsm.vxd: passed over: nothing to "
    "remove (not found, error 2: The system cannot find the file specified.)\r\n"
    "2026-12-08 09:00:06.500 end: exit code 0: installed; the modem's class record appeared "
    "after 6 s\r\n";
const char kFailed[] =
    "2026-12-08 10:00:00.000 start: computer \"PC-BAD\", class 7 (Windows 2000), switches S, "
    "StartDir=\"C:\\medium\"\r\n"
    "2026-12-08 10:00:01.000 delete C:\\WINNT\\qvsmmsg.exe: passed over: nothing to remove "
    "(not found, error 2: The system cannot find the file specified.)\r\n"
    "2026-12-08 10:00:01.200 !!! copy C:\\medium\\qvsm.sys -> "
    "C:\\WINNT\\system32\\drivers\\qvsm.sys: access denied (error 5: Access is denied.)\r\n"
    "2026-12-08 10:00:01.300 end: exit code -1: the copy of C:\\medium\\qvsm.sys to "
    "C:\\WINNT\\system32\\drivers\\qvsm.sys failed: access denied (error 5)\r\n";
// The first form: no computer on the start line, no reason on the end line.
const char kOlder[] =
    "2026-12-08 08:56:12.320 start: class 6 (Windows 98 SE), switches S, "
    "StartDir=\"C:\\medium\", WindowsDir=\"C:\\windows\"\r\n"
    "2026-12-08 08:56:12.336 delete C:\\windows\\INF\\qvsmvxd.inf: not found\r\n"
    "2026-12-08 08:56:12.375 copy C:\\medium\\qvsm.vxd -> C:\\windows\\system32\\qvsm.vxd: in "
    "use\r\n"
    "2026-12-08 08:56:12.380 copy C:\\medium\\qvsm2.vxd -> C:\\windows\\system32\\qvsm2.vxd: in "
    "use\r\n"
    "2026-12-08 08:56:16.430 end: exit code -1\r\n";
const char kOlderSame[] =
    "2026-12-09 08:00:00.000 start: computer \"PC-SAME\", class 6 (Windows 98 SE), switches S, "
    "StartDir=\"C:\\medium\"\r\n"
    "2026-12-09 08:00:00.100 copy C:\\medium\\qvsm.vxd -> C:\\windows\\system32\\qvsm.vxd: in "
    "use\r\n"
    "2026-12-09 08:00:00.200 end: exit code -1\r\n";
const char kOlderNoReason[] =
    "2026-12-09 08:00:00.000 start: computer \"PC-NONE\", class 2 (NT 4.0), switches S, "
    "StartDir=\"C:\\medium\"\r\n"
    "2026-12-09 08:00:00.100 call RefreshWin2K() = 0\r\n"
    "2026-12-09 08:00:00.200 end: exit code -1\r\n";
const char kWaiting[] =
    "2026-12-08 11:00:00.000 start: computer \"PC-WAIT\", class 2 (NT 4.0), switches S, "
    "StartDir=\"C:\\medium\"\r\n"
    "2026-12-08 11:00:02.000 run C:\\medium\\qvsmzad.exe \"qvsmzad.exe\": exit code 0\r\n";
// Cut mid-line by a copy that stopped, after a line of no known form.
const char kCut[] =
    "2026-12-08 12:00:00.000 start: computer \"PC-CUT\", class 3 (Windows 95), switches S D, "
    "StartDir=\"C:\\medium\"\r\n"
    "2026-12-08 12:00:00.500 frobbed the modem\r\n"
    "2026-12-08 12:00:01.000 registry set HKLM\\Software\\Tav";

TEST(FleetReport, ADirectoryOfAFleetsLogs) {
  const char kBinary[] = "MZ\x90\0\x03\0\0\0\x04\0\0\0\xff\xff\r\n\0\0";
  const std::string binary(kBinary, sizeof kBinary - 1);
  LogDirectory dir({{"a-ok.log", kInstalled},
                    {"b-bad.log", kFailed},
                    {"c-oldpc.log", kOlder},
                    {"d-same.log", kOlderSame},
                    {"e-none.log", kOlderNoReason},
                    {"f-wait.log", kWaiting},
                    {"g-cut.log", kCut},
                    {"h-damaged.log", binary},
                    {"i-empty.log", ""}});
  int code = -1;
  EXPECT_EQ(
      "computer  class          switches  start                duration  result          reason\n"
      "PC-OK     Windows 98     S         2026-12-08 09:00:00  6.5 s     installed       "
      "installed; the modem's class record appeared after 6 s\n"
      "PC-BAD    Windows 2000   S         2026-12-08 10:00:00  1.3 s     failed          the copy "
      "of C:\\medium\\qvsm.sys to C:\\WINNT\\system32\\drivers\\qvsm.sys failed: access denied "
      "(error 5)\n"
      "c-oldpc   Windows 98 SE  S         2026-12-08 08:56:12  4.1 s     failed          copy "
      "C:\\medium\\qvsm.vxd -> C:\\windows\\system32\\qvsm.vxd: in use\n"
      "PC-SAME   Windows 98 SE  S         2026-12-09 08:00:00  0.2 s     failed          copy "
      "C:\\medium\\qvsm.vxd -> C:\\windows\\system32\\qvsm.vxd: in use\n"
      "PC-NONE   NT 4.0         S         2026-12-09 08:00:00  0.2 s     failed          no "
      "reason given\n"
      "PC-WAIT   NT 4.0         S         2026-12-08 11:00:00  2.0 s     without an end  last "
      "line: run C:\\medium\\qvsmzad.exe \"qvsmzad.exe\": exit code 0\n"
      "PC-CUT    Windows 95     S D       2026-12-08 12:00:00  0.0 s     without an end  no line "
      "read after the start\n"
      "\n"
      "failed (2): copy C:\\medium\\qvsm.vxd -> C:\\windows\\system32\\qvsm.vxd: in use\n"
      "  c-oldpc, PC-SAME\n"
      "failed (1): the copy of C:\\medium\\qvsm.sys to C:\\WINNT\\system32\\drivers\\qvsm.sys "
      "failed: access denied (error 5)\n"
      "  PC-BAD\n"
      "failed (1): no reason given\n"
      "  PC-NONE\n"
      "without an end, still running or cut off (2):\n"
      "  PC-WAIT, PC-CUT\n"
      "\n"
      "DIR/g-cut.log:2: not read: no line of setup's log has this form\n"
      "DIR/g-cut.log:3: not read: cut: the file ends inside the line\n"
      "DIR/h-damaged.log: not an installation log: its first line is no start line of setup's "
      "log\n"
      "DIR/i-empty.log: not an installation log: empty\n"
      "\n"
      "1 installed, 4 failed, 2 without an end, 2 not logs\n",
      Reported({dir.path()}, dir.path(), false, &code));
  EXPECT_EQ(kFleetNotAllInstalled, code);
  const std::string json = Reported({dir.path()}, dir.path(), true, &code);
  EXPECT_EQ(kFleetNotAllInstalled, code);
  for (const char* part :
       {"{\"file\": \"DIR/c-oldpc.log\", \"computer\": \"c-oldpc\", \"computer_from\": \"file "
        "name\", \"class\": 6, \"class_name\": \"Windows 98 SE\", \"switches\": \"S\", \"start\": "
        "\"2026-12-08 08:56:12.320\", \"duration_ms\": 4110, \"result\": \"failed\", "
        "\"exit_code\": -1, \"reason\": \"copy C:\\\\medium\\\\qvsm.vxd -> "
        "C:\\\\windows\\\\system32\\\\qvsm.vxd: in use\", \"reason_from\": \"failure line\", "
        "\"runs\": 1, \"lines_not_read\": 0}",
        "\"exit_code\": null", "\"runs\": 2", "\"computers\": [\"c-oldpc\", \"PC-SAME\"]",
        "\"without_an_end\": [\"PC-WAIT\", \"PC-CUT\"]",
        "{\"file\": \"DIR/g-cut.log\", \"line\": 3, \"why\": \"cut: the file ends inside the "
        "line\"}",
        "\"counts\": {\"installed\": 1, \"failed\": 4, \"without_an_end\": 2, \"not_logs\": 2}"}) {
    EXPECT_NE(std::string::npos, json.find(part)) << part << "\n" << json;
  }
}

TEST(FleetReport, ExitCodes) {
  LogDirectory installed(Files{{"pc.log", kInstalled}});
  LogDirectory empty(Files{});
  struct Case {
    const char* name;
    std::vector<std::string> paths;
    int code;
    const char* errors;
  };
  const Case cases[] = {
      {"every log installed", {installed.path()}, kFleetAllInstalled, ""},
      {"a log named as a file", {installed.path() + "/pc.log"}, kFleetAllInstalled, ""},
      {"a missing path among logs",
       {installed.path(), "/nonexistent/x.log"},
       kFleetUnusable,
       "qvlint: /nonexistent/x.log: no such file or directory\n"},
      {"a directory without files", {empty.path()}, kFleetUnusable, "qvlint: DIR: holds no file\n"},
  };
  ForEachCase(cases, &Case::name, [&](const Case& c) {
    int code = -1;
    std::string errors;
    Reported(c.paths, empty.path(), false, &code, &errors);
    EXPECT_EQ(c.code, code);
    EXPECT_EQ(c.errors, errors);
  });
}

TEST(FleetLog, BoundedLines) {
  // A line longer than any of setup's is named, and the next one read.
  std::string text = kWaiting;
  text += "2026-12-08 11:00:03.000 message [x] " + std::string(2 * kFleetLineSize, 'x') + "\r\n";
  text += "2026-12-08 11:00:04.000 end: exit code 0: installed\r\n";
  FILE* stream = tmpfile();
  fwrite(text.data(), 1, text.size(), stream);
  rewind(stream);
  FleetLog log = StartFleetLog("pc.log");
  ASSERT_TRUE(ReadFleetLog(stream, &log));
  fclose(stream);
  EXPECT_EQ(kRunInstalled, log.result);
  ASSERT_EQ(1u, log.unread.size());
  EXPECT_EQ(3u, log.unread[0].number);
  EXPECT_EQ("longer than any line of setup's log", log.unread[0].why);
}

}  // namespace
