// qvlint --plan: the registry changes that it prints against the run's own
// end state, the registry exports that a machine starts with, and the
// endings and findings of plans on the sample medium.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "control/run.h"
#include "files/source_files.h"
#include "plan.h"
#include "plan_output.h"
#include "program_image.h"
#include "qvlint_support.h"
#include "reg_file.h"
#include "registry_export.h"
#include "scenario.h"
#include "simulated_programs.h"
#include "table_cases.h"

namespace {

namespace fs = std::filesystem;

// Every key and value of the registry, one line each, names folded as the
// registry compares them, in the order of their names.
void DumpKey(const ModelKey& key, const std::string& path, std::vector<std::string>* lines) {
  std::string folded = path;
  for (char& c : folded) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  lines->push_back(folded);
  for (const ModelValue& value : key.values) {
    std::string name = value.name;
    for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    std::string data;
    for (const char byte : value.data)
      data += " " + std::to_string(static_cast<unsigned char>(byte));
    lines->push_back(folded + " [" + name + "] " + std::to_string(value.type) + ":" + data);
  }
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys)
    DumpKey(*subkey, path + "\\" + subkey->name, lines);
}

std::string Dump(const RegistryModel& registry) {
  std::vector<std::string> lines;
  DumpKey(registry.machine, "", &lines);
  std::sort(lines.begin(), lines.end());
  std::string dump;
  for (const std::string& line : lines) dump += line + "\n";
  return dump;
}

// What an earlier installation left: a country, the monitor's start-up
// entry and uninstall record beside a value of another program, and the
// SourcePath of Windows' own medium.
const char kEarlierInstallation[] =
    "REGEDIT4\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Tavelin\\Softmodem\\Country\\UK]\r\n"
    "\"TxLevel\"=hex:f6,ff,ff,ff\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\GenericSoftModemUninstallInfo\\Applets\\QVSMMSG]\r\n"
    "\"Path\"=\"C:\\\\WINDOWS\\\\qvsmmsg.exe\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
    "\"QVSMMSG\"=\"C:\\\\WINDOWS\\\\qvsmmsg.exe\"\r\n"
    "\"Other\"=dword:00000001\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup]\r\n"
    "\"SourcePath\"=\"C:\\\\WINDOWS\\\\OPTIONS\\\\CABS\"\r\n";

// Imported on the machine before the run, the changes give the machine
// after it, on every class, with keys and values that the run removes.
TEST(PlanRegistry, ChangesTurnTheMachineBeforeIntoTheMachineAfter) {
  bool removedKey = false, removedValue = false;
  for (const PlanClass& platform : kClassNames) {
    SCOPED_TRACE(platform.name);
    std::unique_ptr<Machine> machine(new Machine);
    std::string error;
    ASSERT_TRUE(StartSampleMachine(SOURCE_DIR, platform.osClass, true, machine.get(), &error))
        << error;
    RegistryModel before;
    StartRegistryModel(&before, machine->registry.platform, kWesternCodePage);
    unsigned badLine = 0;
    ASSERT_TRUE(ReadRegedit4(kEarlierInstallation, &machine->registry, &badLine));
    ASSERT_TRUE(ReadRegedit4(kEarlierInstallation, &before, &badLine));
    RunSetupOn(*machine, "S");
    unsigned written = 0, deleted = 0;
    const std::string changes =
        RegistryChangesText(before, machine->registry, platform.windowsName, &written, &deleted);
    ASSERT_TRUE(ReadRegedit4(changes, &before, &badLine)) << badLine << "\n" << changes;
    EXPECT_EQ(Dump(machine->registry), Dump(before)) << changes;
    EXPECT_GT(written, 0u);
    removedKey = removedKey || (deleted > 0 && changes.find("\r\n[-HKEY") != std::string::npos);
    removedValue = removedValue || changes.find("\"QVSMMSG\"=-") != std::string::npos;
  }
  EXPECT_TRUE(removedKey);
  EXPECT_TRUE(removedValue);
}

std::string Utf16(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// The same keys exported by the regedit of Windows 98 (ANSI) and of
// Windows 2000 (UTF-16, its strings of types 1, 2 and 7 in UTF-16 too),
// each with a value continued over two lines and a key of another root.
TEST(PlanMachine, ReadsTheExportsOfBothRegedits) {
  const Row<const char*, std::string> exports[] = {
      {"REGEDIT4",
       "REGEDIT4\r\n\r\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\r\n"
       "\"Text\"=\"Gr\xFC\xDF"
       "e ?\"\r\n"
       "\"Expand\"=hex(2):25,53,79,73,25,5c,\\\r\n"
       "  78,00\r\n"
       "\"Multi\"=hex(7):61,00,62,e9,00,00\r\n"
       "\"Number\"=dword:0000002a\r\n\r\n"
       "[HKEY_CURRENT_USER\\Software\\Test]\r\n"
       "\"Left\"=\"out\"\r\n"},
      {"Windows Registry Editor Version 5.00",
       Utf16(u"Windows Registry Editor Version 5.00\r\n\r\n"
             u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\r\n"
             u"\"Text\"=\"Gr\u00FC\u00DFe \u2713\"\r\n"
             u"\"Expand\"=hex(2):25,00,53,00,79,00,73,00,25,00,5c,00,\\\r\n"
             u"  78,00,00,00\r\n"
             u"\"Multi\"=hex(7):61,00,00,00,62,00,e9,00,00,00,00,00\r\n"
             u"\"Number\"=dword:0000002a\r\n\r\n"
             u"[HKEY_CURRENT_USER\\Software\\Test]\r\n"
             u"\"Left\"=\"out\"\r\n")},
  };
  const std::string expected =
      "\n\\software\n\\software\\test\n"
      "\\software\\test [expand] 2: 37 83 121 115 37 92 120 0\n"
      "\\software\\test [multi] 7: 97 0 98 233 0 0\n"
      "\\software\\test [number] 4: 42 0 0 0\n"
      "\\software\\test [text] 1: 71 114 252 223 101 32 63 0\n";
  ForEachCase(exports, &Row<const char*, std::string>::in,
              [&](const Row<const char*, std::string>& row) {
                MachineExport converted;
                std::string problem;
                ASSERT_TRUE(ConvertRegistryExport(row.out, &converted, &problem)) << problem;
                RegistryModel registry;
                StartRegistryModel(&registry, kPlatformNt, kWesternCodePage);
                unsigned badLine = 0;
                ASSERT_TRUE(ReadRegedit4(converted.regedit4, &registry, &badLine)) << badLine;
                EXPECT_EQ(expected, Dump(registry));
                EXPECT_EQ(std::vector<std::string>{"1 key of HKEY_CURRENT_USER passed over: only "
                                                   "HKEY_LOCAL_MACHINE counts"},
                          converted.notes);
              });
  // A line that can not be read is named by its line in the export.
  MachineExport converted;
  std::string problem;
  ASSERT_TRUE(ConvertRegistryExport(
      Utf16(u"Windows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n\"B\"=hex:01,\\\r\n 02\r\n"
            u"\"C\"=dword:xyz\r\n"),
      &converted, &problem));
  RegistryModel registry;
  StartRegistryModel(&registry, kPlatformNt, kWesternCodePage);
  unsigned badLine = 0;
  EXPECT_FALSE(ReadRegedit4(converted.regedit4, &registry, &badLine));
  EXPECT_EQ(5u, badLine);
  EXPECT_FALSE(ConvertRegistryExport("[HKLM\\A]\r\n", &converted, &problem));
}

// The sample medium as the simulator's tests lay it out (medium/content,
// the sample country file, the programs and libraries as the smallest
// files of their kind), in
// a directory of its own, changed by each case.
class PlanOfMedium : public testing::Test {
 protected:
  void LayMedium() {
    char pattern[] = "/tmp/qvlint_plan_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    medium_ = pattern;
    fs::copy(fs::path(SOURCE_DIR) / "medium" / "content", medium_);
    fs::copy_file(fs::path(SOURCE_DIR) / "qvsmzad" / "QVSMzad.ini", medium_ / "QVSMzad.ini");
    for (const char* name :
         {"setup.exe", "qvsmzad.exe", "qvremove.exe", "QVSETUP1.DLL", "QVSETUP2.DLL",
          "qvsetup3.exe", "standin_record.exe", "standin_service.exe"}) {
      const std::vector<std::string> exports = SetupLibraryExports(name);
      std::ofstream(medium_ / name, std::ios::binary)
          << (exports.empty() ? ProgramImage() : LibraryImage(exports));
    }
  }

  void TearDown() override {
    if (!medium_.empty()) fs::remove_all(medium_);
    medium_.clear();
  }

  PlanRequest Request() const {
    PlanRequest request = {};
    std::string problem;
    EXPECT_TRUE(ReadPlanMedium(medium_.string(), kWesternCodePage, &request, &problem)) << problem;
    request.startTime = 1700000000;
    return request;
  }

  fs::path medium_;
};

// qvsetup.ini with a copy entry whose destination is missing, a program
// that is not on the medium and a country file that is not either.
const char kFailingLists[] =
    "[INSTALL_OPTIONS]\n"
    "[COPY_FILES_9X]\n"
    "Tools=qvsetup.ini TAVELIN TOOLS\n"
    "[LAUNCH_FILES_9X]\n"
    "Missing=absent.exe\n"
    "Country=qvsmzad.exe uk.ini\n";

struct EndingCase {
  const char* name;
  const char* platform;
  const char* removed;    // a file taken off the medium, or nullptr
  const char* setupIni;   // the medium's qvsetup.ini instead of the sample's, or nullptr
  const char* libraries;  // --libraries, or nullptr
  int exitCode;
  const char* reason;  // how the exit reason starts
  std::vector<std::string> findings;
};

TEST_F(PlanOfMedium, EndingsAndFindings) {
  const EndingCase cases[] = {
      {"98: the sample medium",
       "98",
       nullptr,
       nullptr,
       nullptr,
       0,
       "the modem poll found the modem's class record after 3 s",
       {}},
      {"NT 4.0: a file of the driver set missing",
       "nt4",
       "qvsm.sys",
       nullptr,
       nullptr,
       -1,
       "the medium lacks \"qvsm.sys\"",
       {"1:plan-medium-incomplete"}},
      {"98 SE: the second setup library missing",
       "98se",
       "QVSETUP2.DLL",
       nullptr,
       nullptr,
       -1,
       "QVSETUP2.DLL can not be loaded (not found)",
       {"1:plan-run-fails"}},
      {"2000: without the modem's id the driver service never runs",
       "2000",
       nullptr,
       nullptr,
       "[GetHardWareId]\nResult=0\n[RefreshWin2K]\nDelay=400000\n",
       -1,
       "the driver service did not run within 320 s",
       {"1:plan-run-fails"}},
      {"95: CopyFilesOnly ends the run before the modem poll looks",
       "95",
       nullptr,
       "[INSTALL_OPTIONS]\nCopyFilesOnly=Y\n",
       nullptr,
       0,
       "CopyFilesOnly ends the run when its sequence returns",
       {}},
      {"ME: lists that fail",
       "me",
       nullptr,
       kFailingLists,
       nullptr,
       0,
       "the modem poll found",
       {"3:7:plan-copy-fails", "5:9:plan-launch-fails", "6:9:plan-launch-fails"}},
      {"NT 4.0: lines that end in CR alone are read as lines",
       "nt4",
       nullptr,
       "[INSTALL_OPTIONS]\r[LAUNCH_FILES_NT]\rMissing=absent.exe\r",
       nullptr,
       0,
       "",
       {"3:9:plan-launch-fails"}},
      {"NT 4.0: a launch entry that is a text file",
       "nt4",
       nullptr,
       "[LAUNCH_FILES_NT]\nNotes=QVSMzad.ini\n",
       nullptr,
       -1,
       "a check before the first change fails: \"C:\\medium\\QVSMzad.ini\" is no program",
       {"1:plan-preflight-fails"}},
      {"98: a launch entry that is a text file",
       "98",
       nullptr,
       "[LAUNCH_FILES_9X]\nNotes=QVSMzad.ini\n",
       nullptr,
       -1,
       "a check before the first change fails: \"C:\\MEDIUM\\QVSMzad.ini\" is no program",
       {"1:plan-preflight-fails"}},
      {"2000: a launch entry that is a text file",
       "2000",
       nullptr,
       "[LAUNCH_FILES_Win2K]\nNotes=QVSMzad.ini\n",
       nullptr,
       -1,
       "a check before the first change fails: \"C:\\medium\\QVSMzad.ini\" is no program",
       {"1:plan-preflight-fails"}},
      {"NT 4.0: a name of code page 1252 finds the file that the disk names in UTF-8",
       "nt4",
       nullptr,
       "[COPY_FILES_NT]\nHelp=R\xDC"
       "CK.TXT\n",
       nullptr,
       0,
       "",
       {}},
      {"NT 4.0: a name in UTF-8 finds nothing",
       "nt4",
       nullptr,
       "[COPY_FILES_NT]\nHelp=r\xC3\xBC"
       "ck.txt\n",
       nullptr,
       -1,
       "",
       {"2:6:plan-copy-fails"}},
      {"NT 4.0: a batch file runs through the command interpreter",
       "nt4",
       nullptr,
       "[LAUNCH_FILES_NT]\nTool=tool.bat\n",
       nullptr,
       0,
       "",
       {}},
  };
  ForEachCase(cases, &EndingCase::name, [&](const EndingCase& c) {
    LayMedium();
    if (c.removed) fs::remove(medium_ / c.removed);
    if (c.setupIni) std::ofstream(medium_ / "qvsetup.ini") << c.setupIni;
    std::ofstream(medium_ / "tool.bat") << "@echo off\r\n";
    std::ofstream(medium_ /
                  "r\xC3\xBC"
                  "ck.txt")
        << "help";
    PlanRequest request = Request();
    request.hasLibraries = c.libraries != nullptr;
    request.libraries = c.libraries ? c.libraries : "";
    Plan plan;
    std::string problem;
    ASSERT_TRUE(MakePlan(request, *FindClassName(c.platform), &plan, &problem)) << problem;
    EXPECT_EQ(c.exitCode, plan.exitCode);
    EXPECT_EQ(0u, plan.exitReason.find(c.reason)) << plan.exitReason;
    Collected collected;
    FindingSink sink = {CollectFinding, &collected};
    ReportPlanFindings({&plan}, "qvsetup.ini", &sink);
    EXPECT_EQ(c.findings, collected.codes);
    TearDown();
  });
}

// The one check of a medium: the plan of every class, each failure a
// finding that names the classes it happens on; nothing for the sample.
struct OneCheckCase {
  const char* name;
  const char* removed;
  std::vector<std::string> findings;
  std::vector<std::string> effects;
};

TEST_F(PlanOfMedium, EveryClassIsPlannedAndItsFailuresAreFindings) {
  const OneCheckCase cases[] = {
      {"the sample medium", nullptr, {}, {}},
      {"NT 4.0's driver file missing",
       "qvsm.sys",
       {"1:plan-medium-incomplete"},
       {"setup changes nothing and ends with -1 on Windows NT 4.0"}},
  };
  ForEachCase(cases, &OneCheckCase::name, [&](const OneCheckCase& c) {
    LayMedium();
    if (c.removed) fs::remove(medium_ / c.removed);
    PlanRequest request = {};
    request.startTime = 1700000000;
    Collected collected;
    FindingSink sink = {CollectFinding, &collected};
    std::string problem;
    ASSERT_TRUE(ReportPlansOfMedium(medium_.string(), kWesternCodePage, request, &sink, &problem))
        << problem;
    EXPECT_EQ(c.findings, collected.codes);
    std::vector<std::string> effects;
    for (const Finding& finding : collected.findings) effects.push_back(finding.effect.text);
    EXPECT_EQ(c.effects, effects);
    TearDown();
  });
}

std::string Printed(const Plan& plan, bool json) {
  char* text = nullptr;
  size_t size = 0;
  FILE* stream = open_memstream(&text, &size);
  Output output = {stream, json, false, {}, 0, 0, 0};
  PrintPlan(plan, "medium", "medium/qvsetup.ini", &output);
  fclose(stream);
  const std::string printed(text, size);
  free(text);
  return printed;
}

// A step with the line it comes from, the end state, the exit code and the
// findings, in the text and in JSON.
TEST_F(PlanOfMedium, PrintsStepsEndStateExitCodeAndFindings) {
  LayMedium();
  std::ofstream(medium_ / "qvsetup.ini") << kFailingLists;
  Plan plan;
  std::string problem;
  ASSERT_TRUE(MakePlan(Request(), *FindClassName("98"), &plan, &problem)) << problem;
  const std::string text = Printed(plan, false);
  for (const char* line :
       {"copy C:\\MEDIUM\\qvsetup.ini -> C:\\TAVELIN\\TOOLS\\qvsetup.ini: path not found  "
        "(qvsetup.ini:3)\n",
        "wait for the modem's class record, every 3 s, up to 180 s: found after 3 s\n",
        "\n  added    C:\\WINDOWS\\SYSTEM\\qvsm.vxd\n",
        "\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Modem\\0000]\n",
        "\nExit code 0: the modem poll found the modem's class record after 3 s.\n",
        "\nmedium/qvsetup.ini:3:7: error: the copy of \"C:\\MEDIUM\\qvsetup.ini\" to "
        "\"C:\\TAVELIN\\TOOLS\\qvsetup.ini\" fails: path not found; setup goes on without it "
        "on Windows 98 [plan-copy-fails]\n"}) {
    EXPECT_NE(std::string::npos, text.find(line)) << line << "\n" << text;
  }
  // A copy's files beside its destination (the 9x family sets the earlier
  // file aside too) belong to its one step.
  for (const char* beside : {kCopyingName, kEarlierName})
    EXPECT_EQ(std::string::npos, text.find(beside)) << beside << "\n" << text;
  const std::string json = Printed(plan, true);
  for (const char* member :
       {"\"kind\": \"copy\", \"text\": \"copy C:\\\\MEDIUM\\\\qvsetup.ini -> "
        "C:\\\\TAVELIN\\\\TOOLS\\\\qvsetup.ini\", \"result\": \"path not found\", \"from\": "
        "\"C:\\\\MEDIUM\\\\qvsetup.ini\", \"to\": \"C:\\\\TAVELIN\\\\TOOLS\\\\qvsetup.ini\", "
        "\"source_line\": 3}",
        "\"kind\": \"wait\", \"text\": \"wait for the modem's class record, every 3 s, up to "
        "180 s\", \"result\": \"found after 3 s\", \"for\": \"the modem's class record\", "
        "\"interval_ms\": 3000, \"limit_ms\": 180000, \"waited_ms\": 3000}",
        "{\"path\": \"C:\\\\WINDOWS\\\\SYSTEM\\\\qvsm.vxd\", \"change\": \"added\"}",
        "\"exit_code\": 0,\n  \"exit_reason\": \"the modem poll found the modem's class record "
        "after 3 s\"",
        "\"code\": \"plan-copy-fails\""}) {
    EXPECT_NE(std::string::npos, json.find(member)) << member << "\n" << json;
  }
}

}  // namespace
