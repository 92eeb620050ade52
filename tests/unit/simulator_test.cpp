// The simulated Windows: file patterns, sharing and a full disk, the
// REGEDIT4 reader, the stand-ins as qvstandin.ini scripts them, and setup's
// own run on it.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>

#include "files/driver_sets_rules.h"
#include "reg_file.h"
#include "scenario.h"
#include "simulated_run.h"
#include "simulated_windows.h"
#include "table_cases.h"

namespace {

struct PatternCase {
  const char* pattern;
  const char* name;
  bool matches;
};

TEST(SimulatedFiles, PatternsMatchAsFindFirstFile) {
  const PatternCase cases[] = {
      {"*", "qvsm.inf", true},
      {"*.*", "qvsmvxd", true},            // "*.*" matches every name
      {"qvsmvxd.*", "qvsmvxd", true},      // "name.*" also the name without extension
      {"qvsmvxd.*", "QVSMVXD.INF", true},  // letters in any case
      {"qvsm*.cat", "qvsm9pc.cat", true},
      {"qvsm*.cat", "qvsm.cat.bak", false},
      {"qvsm*.cat", "qvsm.a.cat", true},  // * runs over dots up to the last one
      {"*.bin", "bin", false},
      {"a?.txt", "a.txt", true},  // ? at a dot matches nothing
      {"a?.txt", "abc.txt", false},
      {"QVSM9*.*", "qvsmvxd.inf", false},
      {"tavelinqvsm9*.*", "TAVELINQVSM9PC.INF", true},
  };
  ForEachCase(cases, &PatternCase::pattern, [](const PatternCase& c) {
    EXPECT_EQ(c.matches, MatchesPattern(c.pattern, c.name)) << c.name;
  });
}

// A Windows 98 machine on the test platform with a source file, a
// read-only file, a file that another program holds open and a disk of
// 35 bytes of which the files take 21.
class SimulatedFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    StartMachine(&machine_, kOsClassWin98, true);
    machine_.disk.capacity = 35;
    Put("C:\\src\\eleven.txt", "hello world")->attributes = kAttributeArchive;
    Put("C:\\dst\\readonly.txt", "ro")->attributes = kAttributeReadOnly;
    Put("C:\\dst\\held.txt", "held")->heldByOther = true;
    Put("C:\\dst\\old.txt", "four");
  }

  SimulatedFile* Put(const char* path, const char* content) {
    std::vector<std::string> names;
    SplitFilePath(path, "C:\\", &names);
    const std::string name = names.back();
    names.pop_back();
    SimulatedFile* file = AddEntry(MakeDirectories(&machine_.disk, names), name, false);
    WriteContent(&machine_.disk, file, content);
    return file;
  }

  std::string Content(const char* path) {
    SystemStatus status;
    std::vector<std::string> names;
    SplitFilePath(path, "C:\\", &names);
    const SimulatedFile* file = FindFile(&machine_.disk, names, &status);
    return file != nullptr ? file->content : "(none)";
  }

  Machine machine_;
};

struct CopyCase {
  const char* to;
  SystemStatus status;
  const char* content;  // of the destination afterwards
};

TEST_F(SimulatedFilesTest, CopyMeetsReadOnlyHeldAndFullDisk) {
  const CopyCase cases[] = {
      {"C:\\dst\\readonly.txt", kStatusAccessDenied, "ro"},
      {"C:\\dst\\held.txt", kStatusSharingViolation, "held"},
      {"C:\\missing\\x.txt", kStatusPathNotFound, "(none)"},
      {"C:\\dst\\old.txt", kStatusSuccess, "hello world"},  // overwritten: 4 bytes freed
      {"C:\\dst\\new.txt", kStatusDiskFull, "hello w"},     // 7 bytes were left
  };
  SimulatedWindows windows(&machine_);
  ForEachCase(cases, &CopyCase::to, [&](const CopyCase& c) {
    EXPECT_EQ(c.status, windows.CopyOneFile("C:\\src\\eleven.txt", c.to));
    EXPECT_EQ(c.content, Content(c.to));
  });
  EXPECT_EQ(kStatusFileNotFound, windows.CopyOneFile("C:\\src\\none.txt", "C:\\dst\\x.txt"));
}

TEST_F(SimulatedFilesTest, HeldAndOpenFilesStay) {
  SimulatedWindows windows(&machine_);
  EXPECT_EQ(kStatusSharingViolation, windows.RemoveFile("C:\\dst\\held.txt"));
  EXPECT_EQ(kStatusSharingViolation,
            windows.RenameReplacing("C:\\dst\\old.txt", "C:\\dst\\held.txt"));
  FileHandle log;
  ASSERT_EQ(kStatusSuccess, windows.OpenFileToAppend("C:\\dst\\old.txt", &log));
  EXPECT_EQ(kStatusSharingViolation, windows.RemoveFile("C:\\DST\\OLD.TXT"));
  windows.CloseFile(log);
  EXPECT_EQ(kStatusSuccess, windows.RenameReplacing("C:\\dst\\old.txt", "C:\\dst\\moved.txt"));
  EXPECT_EQ("four", Content("C:\\dst\\moved.txt"));
  EXPECT_EQ(kStatusAccessDenied, windows.RemoveFile("C:\\dst\\readonly.txt"));
}

TEST_F(SimulatedFilesTest, SearchListsDirectoryAliasesThenNamesInOrder) {
  SimulatedWindows windows(&machine_);
  SearchHandle search;
  char name[kFoundNameSize];
  ASSERT_EQ(kStatusSuccess, windows.FindFirstMatch("C:\\dst\\*.*", &search, name));
  std::string names = name;
  while (windows.FindNextMatch(search, name) == kStatusSuccess) names += std::string(" ") + name;
  windows.EndSearch(search);
  EXPECT_EQ(". .. held.txt old.txt readonly.txt", names);
  EXPECT_EQ(kStatusFileNotFound, windows.FindFirstMatch("C:\\dst\\*.bin", &search, name));
  EXPECT_EQ(kStatusPathNotFound, windows.FindFirstMatch("C:\\none\\*", &search, name));
}

struct ProbeCase {
  const char* path;
  bool toWrite;
  SystemStatus status;
};

TEST_F(SimulatedFilesTest, ExclusiveOpenMeetsHeldReadOnlyMissingAndOpenFiles) {
  const ProbeCase cases[] = {
      {"C:\\dst\\held.txt", false, kStatusSharingViolation},
      {"C:\\dst\\readonly.txt", true, kStatusAccessDenied},
      {"C:\\dst\\readonly.txt", false, kStatusSuccess},
      {"C:\\dst\\old.txt", true, kStatusSuccess},
      {"C:\\dst\\none.txt", false, kStatusFileNotFound},
      {"C:\\none\\x.txt", false, kStatusPathNotFound},
      {"C:\\dst", false, kStatusAccessDenied},
      {"C:\\src\\eleven.txt", false, kStatusSharingViolation},  // the run holds it open
  };
  SimulatedWindows windows(&machine_);
  FileHandle file;
  ASSERT_EQ(kStatusSuccess, windows.OpenFileToRead("C:\\src\\eleven.txt", &file));
  ForEachCase(cases, &ProbeCase::path, [&](const ProbeCase& c) {
    EXPECT_EQ(c.status, windows.ProbeExclusiveOpen(c.path, c.toWrite)) << c.toWrite;
  });
  EXPECT_EQ("ProbeExclusiveOpen \"C:\\dst\\readonly.txt\" write = 5", windows.Calls()[2]);
}

struct FreeSpaceCase {
  OsClass osClass;
  unsigned long long capacity;  // 0: none
  const char* path;
  SystemStatus status;
  unsigned long long bytes;
};

// A drive with 21 bytes of files: what its capacity leaves, or a fixed
// gigabyte, and less than 2 GB on the 9x family; whether the directory
// exists does not matter, the drive does.
TEST(SimulatedFiles, FreeSpaceOfTheDriveThatHoldsAPath) {
  const unsigned long long kGiB = 1ull << 30;
  const FreeSpaceCase cases[] = {
      {kOsClassWin98, 35, "C:\\dst", kStatusSuccess, 14},
      {kOsClassNT4, 35, "c:\\not made yet\\x", kStatusSuccess, 14},
      {kOsClassWin2000, 0, "C:\\dst", kStatusSuccess, kGiB},
      {kOsClassWin98, 0, "C:", kStatusSuccess, kGiB},
      {kOsClassWin2000, 5 * kGiB, "C:\\dst", kStatusSuccess, 5 * kGiB - 21},
      {kOsClassWinME, 5 * kGiB, "C:\\dst", kStatusSuccess, 0x7FFFFFFF},
      {kOsClassNT4, 0, "D:\\dst", kStatusPathNotFound, 0},
      {kOsClassNT4, 0, "\\\\server\\share\\dst", kStatusPathNotFound, 0},
  };
  ForEachCase(cases, &FreeSpaceCase::path, [](const FreeSpaceCase& c) {
    Machine machine;
    StartMachine(&machine, c.osClass, false);
    machine.disk.capacity = c.capacity;
    SimulatedFile* dst = MakeDirectories(&machine.disk, {"dst"});
    WriteContent(&machine.disk, AddEntry(dst, "a.txt", false), std::string(21, 'a'));
    SimulatedWindows windows(&machine, FaultPlan{2, kStatusAccessDenied, 0});
    unsigned long long bytes = 0;
    EXPECT_EQ(c.status, windows.FreeSpace(c.path, &bytes)) << c.osClass;
    EXPECT_EQ(c.bytes, bytes) << c.osClass;
    EXPECT_EQ(kStatusAccessDenied, windows.FreeSpace(c.path, &bytes));  // as planned
    const std::string head = "FreeSpace \"" + std::string(c.path) + "\" = ";
    EXPECT_EQ(head + (c.status == 0 ? "0 " + std::to_string(c.bytes) : "3"), windows.Calls()[0]);
    EXPECT_EQ(head + "5 planned", windows.Calls()[1]);
  });
}

struct ShortPathCase {
  OsClass osClass;
  bool testPlatform;
  const char* path;
  const char* shortPath;  // nullptr: no such file
};

// Each drive's alias, and a path through the alias reaching the same file.
TEST(SimulatedFiles, ShortPathsOfEachDrive) {
  const ShortPathCase cases[] = {
      {kOsClassWin98, false, "C:\\program files old", "C:\\PROGRA~2"},
      {kOsClassWin98, false, "C:\\Program Files\\Tavelin Setup\\medium\\setup.exe",
       "C:\\PROGRA~1\\TAVELI~1\\MEDIUM\\SETUP.EXE"},
      {kOsClassWin2000, false, "C:\\Program Files\\Tavelin Setup\\medium",
       "C:\\PROGRA~1\\TAVELI~1\\medium"},
      {kOsClassWin98SE, true, "C:\\Driver Disk\\Modem Setup\\setup.exe",
       "C:\\DRIV~VGI\\MODE~0DK\\setup.exe"},
      {kOsClassWin98SE, true, "C:\\Program Files Old", "C:\\PROG~Z3E"},
      {kOsClassNT4, true, "C:\\Program Files\\a.long.name", "C:\\PROG~FBU\\A_LO~ONE.NAM"},
      {kOsClassWin98, false, "C:\\none", nullptr},
  };
  for (const ShortPathCase& c : cases) {
    SCOPED_TRACE(c.path);
    Machine machine;
    StartMachine(&machine, c.osClass, c.testPlatform);
    for (const char* path :
         {"C:\\Program Files\\Tavelin Setup\\medium\\setup.exe", "C:\\Program Files Old\\x",
          "C:\\Driver Disk\\Modem Setup\\setup.exe", "C:\\Program Files\\a.long.name\\x"}) {
      std::vector<std::string> names;
      SplitFilePath(path, "C:\\", &names);
      names.pop_back();
      AddEntry(MakeDirectories(&machine.disk, names), "setup.exe", false);
    }
    SimulatedWindows windows(&machine);
    char out[260];
    const unsigned long length = windows.ShortPath(c.path, out, sizeof out);
    if (c.shortPath == nullptr) {
      EXPECT_EQ(0ul, length);
      continue;
    }
    ASSERT_GT(length, 0ul);
    EXPECT_STREQ(c.shortPath, out);
    const unsigned long longAttributes = windows.FileAttributes(c.path);
    EXPECT_NE(kNoSuchFile, longAttributes);
    EXPECT_EQ(longAttributes, windows.FileAttributes(c.shortPath));
  }
}

TEST(Regedit4, ReadsEveryFormOfValue) {
  const char text[] =
      "REGEDIT4\r\n\r\n"
      "; a comment\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tavelin]\r\n"
      "\"Text\"=\"a \\\"quoted\\\" C:\\\\path\"\r\n"
      "@=\"unnamed\"\r\n"
      "\"Number\"=dword:0000000a\r\n"
      "\"Bytes\"=hex:01,02,\\\r\n"
      "  ff\r\n"
      "\"Expand\"=hex(2):25,00\r\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
      "\"Elsewhere\"=\"left out\"\r\n"
      "[HKLM\\SOFTWARE\\Tavelin\\Empty]\r\n";
  RegistryModel registry;
  StartRegistryModel(&registry, kPlatformWineNt, kWesternCodePage);
  unsigned badLine = 0;
  ASSERT_TRUE(ReadRegedit4(text, &registry, &badLine)) << badLine;
  ModelKey* key =
      const_cast<ModelKey*>(FindModelKey(registry, &registry.machine, "software\\tavelin"));
  ASSERT_NE(nullptr, key);
  ASSERT_NE(nullptr, FindModelKey(registry, key, "Empty"));
  const Row<const char*, std::string> values[] = {
      {"Text", std::string("a \"quoted\" C:\\path\0", 19)},
      {"", std::string("unnamed\0", 8)},
      {"Number", std::string("\x0a\0\0\0", 4)},
      {"Bytes", "\x01\x02\xff"},
      {"Expand", std::string("%\0", 2)},
  };
  ExpectEach(values, [&](const char* name) {
    unsigned undocumented = 0;
    const ModelValue* value = FindModelValue(registry, key, name, &undocumented);
    return value != nullptr ? value->data : std::string("(none)");
  });
  unsigned undocumented = 0;
  EXPECT_EQ(2ul, FindModelValue(registry, key, "Expand", &undocumented)->type);
  EXPECT_FALSE(ReadRegedit4("REGEDIT4\n[HKLM\\X]\n\"A\"=dword:xyz\n", &registry, &badLine));
  EXPECT_EQ(3u, badLine);
}

// Windows 98 or 2000 on the test platform with the stand-in libraries on
// C:\medium and their call log in C:\calls.log.
class StandinsTest : public testing::Test {
 protected:
  void Start(OsClass osClass, const std::string& config) {
    StartMachine(&machine_, osClass, true);
    machine_.programDir = "C:\\medium";
    std::vector<std::string> names;
    SplitFilePath("C:\\medium", "C:\\", &names);
    SimulatedFile* medium = MakeDirectories(&machine_.disk, names);
    for (const char* file : {"QVSETUP1.DLL", "QVSETUP2.DLL", "qvsetup3.exe"})
      AddEntry(medium, file, false);
    WriteContent(&machine_.disk, AddEntry(medium, "qvstandin.ini", false),
                 "[CallLog]\r\nPath=C:\\calls.log\r\n" + config);
    windows_.reset(new SimulatedWindows(&machine_));
  }

  int Call(const char* entry) {
    LibraryHandle library;
    EXPECT_EQ(kStatusSuccess, windows_->OpenLibrary("QVSETUP2.DLL", &library));
    return windows_->CallPlainEntry(windows_->FindEntry(library, entry));
  }

  std::string CallLog() {
    std::string log;
    for (const std::string& line : windows_->StandinCalls()) log += line + "\n";
    return log;
  }

  Machine machine_;
  std::unique_ptr<SimulatedWindows> windows_;
};

TEST_F(StandinsTest, RemoveModemWaitsItsDelayAndRemovesOurInstances) {
  Start(kOsClassWin98, "[RemoveModem]\r\nResult=0\r\nDelay=5000\r\n");
  KeyHandle key;
  const char ours[] = "System\\CurrentControlSet\\Services\\Class\\Modem\\0000";
  windows_->CreateKey(ours, &key);
  windows_->SetValue(key, "Model", kRegistryString,
                     reinterpret_cast<const unsigned char*>("TAVELIN Software Modem AMR"), 27);
  EXPECT_EQ(0, Call("RemoveModem"));
  EXPECT_EQ(5000, windows_->Clock());
  EXPECT_EQ(kStatusKeyDeleted, windows_->FlushKey(key));
  EXPECT_EQ("RemoveModem() = 0 Removed=1\n", CallLog());
}

TEST_F(StandinsTest, RefreshOnWindows98WritesTheClassRecordAfterItsDelay) {
  Start(kOsClassWin98, "[RefreshWin2K]\r\nDelay=4000\r\n");
  EXPECT_EQ(1, Call("RefreshWin2K"));
  long long at = 0;
  ASSERT_TRUE(windows_->NextEvent(&at));
  EXPECT_EQ(4000, at);
  windows_->AdvanceTo(at);
  EXPECT_EQ(
      "RefreshWin2K() = 1 Delay=4000 SourcePath=none\n"
      "ClassRecord(\"0000\", 4000) = 1\n",
      CallLog());
  EXPECT_NE(nullptr, FindModelKey(machine_.registry, &machine_.registry.machine,
                                  "System\\CurrentControlSet\\Services\\Class\\Modem\\0000"));
}

TEST_F(StandinsTest, RefreshOnWindows2000RunsTheServiceForItsLife) {
  Start(kOsClassWin2000,
        "[RefreshWin2K]\r\nDelay=2000\r\nLife=9000\r\n[GetHardWareId]\r\nId=X\r\n");
  EXPECT_EQ(1, Call("RefreshWin2K"));
  EXPECT_FALSE(windows_->ServiceRunning("TAVELINSoftModem"));
  windows_->AdvanceTo(2000);
  EXPECT_TRUE(windows_->ServiceRunning("tavelinsoftmodem"));
  windows_->AdvanceTo(9000);
  EXPECT_FALSE(windows_->ServiceRunning("TAVELINSoftModem"));
  char id[528];
  LibraryHandle library;
  windows_->OpenLibrary("QVSETUP2.DLL", &library);
  EXPECT_EQ(1, windows_->CallGetHardWareId(windows_->FindEntry(library, "GetHardWareId"), id));
  EXPECT_STREQ("X", id);
  EXPECT_EQ(
      "RefreshWin2K() = 1 Delay=2000 SourcePath=none\n"
      "TAVELINSoftModem(\"running\", 2000, 9000) = 1\n"
      "TAVELINSoftModem(\"stopped\", 2000, 9000) = 1\n"
      "GetHardWareId() = 1 Id=\"X\"\n",
      CallLog());
}

}  // namespace

struct RunCase {
  const char* name;
  OsClass osClass;
  const char* standins;  // qvstandin.ini beyond the call log
  int exitCode;
  long long endClock;
  const char* entries;  // of the call log, in order
};

// Setup's own run on the sample medium: the completion timers end the run
// on the simulated clock, with the stand-ins' background work due on it.
TEST(SimulatedRun, SampleMediumOnEveryClass) {
  const RunCase cases[] = {
      {"95: the device program's record", kOsClassWin95, "", 0, 3000,
       "qvsetup3 qvsetup3 ClassRecord"},
      {"98: the refresh's record", kOsClassWin98, "", 0, 3000,
       "RemoveModem WDMDeleteDevice RemoveDisabledModem DeleteOtherDevice RefreshWin2K "
       "ClassRecord"},
      {"ME: a refresh that did not start", kOsClassWinME, "[RefreshWin2K]\r\nResult=0\r\n", -1, 0,
       "RemoveModem WDMDeleteDevice RemoveDisabledModem DeleteOtherDevice RefreshWin2K"},
      {"NT 4.0", kOsClassNT4, "[GetInfByPci]\r\nDelay=1500\r\n", 0, 1500,
       "GetInfByPci InstallClassDevice"},
      {"2000: the service runs at 25 s", kOsClassWin2000,
       "[GetHardWareId]\r\nResult=0\r\n[RefreshWin2K]\r\nDelay=25000\r\n", 0, 30000,
       "GetHardWareId RefreshWin2K TAVELINSoftModem"},
      {"2000: the service never runs", kOsClassWin2000,
       "[GetHardWareId]\r\nResult=0\r\n[RefreshWin2K]\r\nDelay=400000\r\n", -1, 320000,
       "GetHardWareId RefreshWin2K"},
  };
  ForEachCase(cases, &RunCase::name, [](const RunCase& c) {
    std::unique_ptr<Machine> machine(new Machine);
    std::string error;
    ASSERT_TRUE(StartSampleMachine(SOURCE_DIR, c.osClass, true, machine.get(), &error)) << error;
    std::vector<std::string> names;
    SplitFilePath("C:\\medium\\qvstandin.ini", "C:\\", &names);
    SystemStatus status;
    WriteContent(&machine->disk,
                 AddEntry(FindParent(&machine->disk, names, &status), names.back(), false),
                 std::string("[CallLog]\r\nPath=C:\\calls.log\r\n") + c.standins);
    const SimulatedRunResult result = RunSetupOn(*machine, "S");
    std::string entries;
    for (const std::string& line : result.standinCalls)
      entries += (entries.empty() ? "" : " ") + line.substr(0, line.find('('));
    EXPECT_FALSE(result.waitsForever);
    EXPECT_EQ(c.exitCode, result.exitCode);
    EXPECT_EQ(c.endClock, result.endClock);
    EXPECT_EQ(c.entries, entries);
  });
}

// The Windows directory may be as long as LongestWindowsDir allows for the
// class: at the limit the start-up computes its paths and goes on (it makes
// the source directory current), one character more and the run ends with
// -1 before it changes anything.
TEST(SimulatedRun, WindowsDirectoryAtTheClassLimitAndOneAbove) {
  for (OsClass osClass : {kOsClassWin95, kOsClassWin98SE, kOsClassNT4, kOsClassWin2000}) {
    for (size_t extra : {0u, 1u}) {
      SCOPED_TRACE(std::to_string(osClass) + (extra ? " above the limit" : " at the limit"));
      std::unique_ptr<Machine> machine(new Machine);
      std::string error;
      ASSERT_TRUE(StartSampleMachine(SOURCE_DIR, osClass, true, machine.get(), &error)) << error;
      machine->windowsDir = "C:\\" + std::string(LongestWindowsDir(osClass) + extra - 3, 'w');
      machine->systemDir = "C:\\S";
      const SimulatedRunResult result = RunSetupOn(*machine, "S");
      const bool started = std::find(result.calls.begin(), result.calls.end(),
                                     "ChangeDirectory \"C:\\medium\" = true") != result.calls.end();
      EXPECT_EQ(extra == 0, started);
      if (extra) {
        EXPECT_EQ(-1, result.exitCode);
      }
    }
  }
}

// Another setup holds the mark: the run ends at once with -1, as setup.exe
// does, having asked for nothing but the mark.
TEST(SimulatedRun, RefusedStartEndsWithFailureAtOnce) {
  for (OsClass osClass : {kOsClassWin98, kOsClassWin2000}) {
    SCOPED_TRACE(osClass);
    std::unique_ptr<Machine> machine(new Machine);
    std::string error;
    ASSERT_TRUE(StartSampleMachine(SOURCE_DIR, osClass, true, machine.get(), &error)) << error;
    machine->anotherSetupRuns = true;
    const SimulatedRunResult result = RunSetupOn(*machine, "S");
    EXPECT_FALSE(result.waitsForever);
    EXPECT_EQ(-1, result.exitCode);
    EXPECT_EQ((std::vector<std::string>{"HoldSetupMark = held by another", "PostQuit -1"}),
              result.calls);
  }
}
