// qvlint on qvsetup.ini: the profile reader it reads the file with, the
// sections and options, and the copy and launch entries against a medium.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/lists_rules.h"
#include "list_entry_check.h"
#include "medium_files.h"
#include "profile.h"
#include "qvlint_support.h"
#include "table_cases.h"

namespace {

namespace fs = std::filesystem;
using Codes = std::vector<std::string>;

// A medium directory with the given files (a name ending in "/" is a directory).
class Medium {
 public:
  explicit Medium(const std::vector<std::string>& names) {
    char pattern[] = "/tmp/qvlint-medium-XXXXXX";
    dir_ = mkdtemp(pattern);
    for (const std::string& name : names) {
      if (name.back() == '/')
        fs::create_directories(dir_ / name);
      else
        std::ofstream(dir_ / name) << "x";
    }
  }
  ~Medium() { fs::remove_all(dir_); }
  std::string dir() const { return dir_.string(); }

 private:
  fs::path dir_;
};

TEST(ReadProfile, ReadsAsThePrivateProfileReader) {
  Profile profile;
  ReadProfile(
      "orphan=1\r\n [ A ] \r\n  Key  =  \"v\"  \r\n;c=1\r\n   ;d=2\r\nNoEquals\r\n[B\r\n[C] x "
      "]\r\n=e\r\n\x1A",
      &profile);
  ASSERT_EQ(profile.sections.size(), 3u);
  EXPECT_EQ(profile.sections[0].keys.size(), 1u);
  EXPECT_EQ(profile.sections[1].name, "A");  // the blanks in the brackets dropped
  EXPECT_TRUE(profile.sections[1].nameBlanksDropped);
  EXPECT_EQ(profile.sections[1].line, 2u);
  ASSERT_EQ(profile.sections[1].keys.size(), 3u);
  const ProfileKey& key = profile.sections[1].keys[0];
  EXPECT_EQ(key.name, "Key");
  EXPECT_EQ(key.value, "\"v\"");
  EXPECT_EQ(ProfileValue(key), "v");
  EXPECT_EQ(key.line, 3u);
  EXPECT_EQ(key.column, 3u);
  EXPECT_EQ(ProfileValueColumn(key), 12u);  // past the quotation mark
  EXPECT_FALSE(profile.sections[1].keys[1].hasEquals);
  EXPECT_TRUE(profile.sections[1].keys[2].unclosedHeader);
  EXPECT_EQ(profile.sections[2].name, "C] x");  // up to the last "]"
  EXPECT_EQ(profile.loneCarriageReturnLine, 0u);
  EXPECT_TRUE(IsListedKey(profile.sections[1].keys[0]));
  EXPECT_FALSE(IsListedKey(profile.sections[2].keys[0]));  // "=e": no name
}

// A CR alone ends the reader's line, as NT reads it, and the places count it.
TEST(ReadProfile, ACarriageReturnAloneEndsALine) {
  Profile profile;
  ReadProfile("[S]\rA=1\r\nB=2\rC=3\n[T]\rD=4", &profile);
  ASSERT_EQ(profile.sections.size(), 3u);
  ASSERT_EQ(profile.sections[1].keys.size(), 3u);
  EXPECT_EQ(profile.sections[1].keys[1].name, "B");
  EXPECT_EQ(profile.sections[1].keys[2].value, "3");
  EXPECT_EQ(profile.sections[1].keys[2].line, 4u);
  EXPECT_EQ(profile.sections[1].keys[2].column, 1u);
  EXPECT_EQ(profile.sections[2].keys[0].value, "4");
  EXPECT_EQ(profile.loneCarriageReturnLine, 1u);
}

TEST(ReadProfile, FindsTheFirstSectionAndKeyOfANameInAnyCase) {
  Profile profile;
  ReadProfile("[]\n[Copy]\na=1\nA=2\n[COPY]\nb=3\n", &profile);
  const ProfileSection* section = FindProfileSection(profile, "copy");
  ASSERT_NE(section, nullptr);
  EXPECT_EQ(section->line, 2u);
  EXPECT_EQ(FindProfileKey(*section, "A")->value, "1");
  EXPECT_EQ(FindProfileSection(profile, ""), nullptr);
}

TEST(ProfileValue, DropsOnlyAPairOfQuotationMarks) {
  const struct {
    const char* stored;
    const char* returned;
  } cases[] = {{"\"a b\"", "a b"}, {"'a'", "a"}, {"\"a'", "\"a'"},
               {"\"", "\""},       {"\"\"", ""}, {"a\"", "a\""}};
  for (const auto& c : cases) {
    ProfileKey key = {"K", true, c.stored, 1, false, 1, 3};
    EXPECT_EQ(ProfileValue(key), c.returned) << c.stored;
  }
}

// The reader's number of a value; 9 is the fallback, and what holds no
// digits is 0. The 30th character is past the reader's buffer.
TEST(ProfileNumber, ReadsTheLeadingDigitsAsTheReaderDoes) {
  const Row<const char*, int> cases[] = {
      {"12", 12}, {" \t-7x", -7}, {"+3", 3},         {"abc", 0},
      {"", 9},    {"\"5\"", 5},   {"4294967297", 1}, {"000000000000000000000000000012", 1},
  };
  ExpectEach(cases, [](const char* value) {
    const ProfileKey key = {"K", true, value, 1, false, 1, 3};
    return ProfileNumber(&key, 9);
  });
  EXPECT_EQ(ProfileNumber(nullptr, 9), 9);
}

TEST(FillKeyList, CutsTheLastNameAsEachFamilysReaderDoes) {
  std::vector<ProfileKey> keys = {{"name1", true, "", 1, false, 1, 5},
                                  {"name2", true, "", 2, false, 1, 6},
                                  {"name3", true, "", 3, false, 1, 6}};
  const std::vector<const ProfileKey*> listed = {&keys[0], &keys[1], &keys[2]};
  const struct {
    size_t size;
    NameListForm form;
    size_t returned;
    std::string list;  // the bytes up to the returned length and its terminator
  } cases[] = {
      {32, kNtNameList, 18, std::string("name1\0name2\0name3\0\0", 19)},
      {16, kNtNameList, 14, std::string("name1\0name2\0na\0", 15)},
      {16, kNineXKeyList, 14, std::string("name1\0name2\0n\0\0", 15)},
      {16, kNineXSectionList, 14, std::string("name1\0name2\0\0\0", 14)},
      {8, kNtNameList, 6, std::string("name1\0\0", 7)},
  };
  for (const auto& c : cases) {
    char list[32];
    memset(list, 'x', sizeof list);
    EXPECT_EQ(FillKeyList(listed, list, c.size, c.form), c.returned) << c.size << " " << c.form;
    EXPECT_EQ(std::string(list, c.list.size()), c.list) << c.size << " " << c.form;
  }
}

// Whatever the buffer's size, setup's list reader keeps only whole names of
// what either family's reader leaves in it.
TEST(FillKeyList, SetupKeepsNoNameThatTheReaderCut) {
  std::vector<ProfileKey> keys = {{"a", true, "", 1, false, 1, 3},
                                  {"bcd", true, "", 2, false, 1, 5},
                                  {"efghi", true, "", 3, false, 1, 7}};
  const std::vector<const ProfileKey*> listed = {&keys[0], &keys[1], &keys[2]};
  for (NameListForm form : {kNtNameList, kNineXKeyList}) {
    for (size_t size = 2; size <= 16; ++size) {
      char list[16];
      memset(list, 'x', sizeof list);
      const size_t returned = FillKeyList(listed, list, size, form);
      const size_t whole = WholeKeyListLength(list, returned, size, form == kNineXKeyList);
      size_t index = 0;
      for (const char* name = list; name < list + whole && *name; name += strlen(name) + 1)
        EXPECT_EQ(name, keys[index++].name) << "size " << size << " form " << form;
    }
  }
}

TEST(LintSetupIni, ReportsSectionsAndKeysThatSetupNeverReads) {
  const Medium medium({});
  const std::string text =
      "stray=1\n"
      "[INSTALL_OPTIONS]\nDebug=Y\nReBoot=yes\nCopyFilesOnly=n\nLogFile=C:\\setup.log\n"
      "  CleanUpRegistry = \"TRUE\"\nWDMDriver=\nHardwareDetectNT=\"Y\"\n\tverbose=Y\nNoValue\n=Y\n"
      "debug=N\n"
      "[LAUNCH_FILES_WIN2000]\nA=x.exe\n"
      "[install_options]\nDebug=N\n"
      "[]\n";
  const Collected collected = LintSetupText(text, medium.dir());
  EXPECT_EQ(collected.codes,
            (Codes{"1:content-before-section", "3:7:debug-message-boxes", "7:22:option-not-yes-no",
                   "8:11:option-not-yes-no", "10:2:unknown-option", "11:key-no-equals",
                   "12:key-empty-name", "13:repeated-key", "14:unknown-section",
                   "16:repeated-section", "18:unknown-section"}));
  // No registry is involved: each holds on every family.
  for (const Finding& finding : collected.findings) EXPECT_EQ(finding.platforms, kOnEvery);
  EXPECT_EQ(LintSetupText("\xEF\xBB\xBF[INSTALL_OPTIONS]\nDebug=Y\n", medium.dir()).codes,
            (Codes{"1:encoding-mark", "2:7:debug-message-boxes"}));
}

TEST(LintSetupIni, ChecksCopyEntriesAgainstTheMedium) {
  const Medium medium({"QVSM.HLP", "sub/"});
  const std::string a255 = "a " + std::string(253, 'd');  // a destination of 256 characters
  const std::string text =
      "[COPY_FILES_9X]\nHelp=qvsm.hlp $windows help\nWin=qvsm.hlp $Windows\n"
      "Gone=missing.dll\nDir=sub\nEmpty=\nName=" +
      std::string(128, 'n') + "\nDeep=" + a255 + "\nLong=" + std::string(256, 'v') + "\nKey" +
      std::string(128, 'k') +
      "=qvsm.hlp\n"
      "[copy_files_nt\nAlso=none.dll\n";
  EXPECT_EQ(LintSetupText(text, medium.dir()).codes,
            (Codes{"3:5:windows-token-case", "4:6:copy-file-missing", "5:5:copy-file-missing",
                   "6:7:copy-no-file-name", "7:6:copy-file-name-too-long",
                   "8:6:copy-destination-too-long", "9:6:list-value-too-long",
                   "10:list-key-too-long", "11:unclosed-header", "12:6:copy-file-missing"}));
}

TEST(LintSetupIni, ChecksLaunchEntriesAndTheCountryFilesTheyName) {
  const Medium medium({"QVSMZAD.EXE", "uk.ini", "sub.ini/", "tools/", "tools/helper.exe"});
  const std::string text =
      "[LAUNCH_FILES_NT]\nA=qvsmzad.exe\nB=qvsmzad.exe UK.INI\nC=qvsmzad.exe "
      "other.ini\nD=qvsmzad.exe "
      "sub.ini\n"
      "E=qvsmzad\nF=tools\\helper.exe\nG=notepad.exe x,$WINDOWS\nH=qvsmzad.exe,$windows,more\n"
      "I=qvsmzad.exe 1 2 3 4 5 6 7 8 9\nJ=,,\nK=qvsmzad.exe \"my\"\nL=qvsmzad.exe "
      "C:\\x.ini\nB=again.exe\n";
  std::vector<std::string> countryFiles;
  EXPECT_EQ(LintSetupText(text, medium.dir(), &countryFiles).codes,
            (Codes{"2:3:country-file-missing", "4:3:country-file-missing",
                   "5:3:country-file-missing", "6:3:country-file-missing", "8:3:windows-token-case",
                   "9:3:launch-extra-fields", "10:3:launch-too-many-words",
                   "11:3:launch-no-program", "12:3:launch-quotes", "14:repeated-key"}));
  ASSERT_EQ(countryFiles.size(), 1u);
  EXPECT_EQ(countryFiles[0], JoinFilePath(medium.dir(), "uk.ini"));
}

TEST(LintSetupIni, ReportsTheKeysBeyondTheKeyList) {
  const Medium medium({"f.dll"});
  // 2048 bytes would hold 128 names of 15 characters and their terminators,
  // but the reader keeps room for the closing terminator and cuts the 128th:
  // 127 are read, those on lines 129 to 141 are not.
  std::string text = "[COPY_FILES_9X]\n";
  for (int i = 0; i < 140; ++i) text += "Key" + std::to_string(100000000000 + i) + "=f.dll\n";
  Codes expected;
  for (int line = 129; line <= 141; ++line)
    expected.push_back(std::to_string(line) + ":key-list-full");
  EXPECT_EQ(LintSetupText(text, medium.dir()).codes, expected);
}

TEST(LintLaunchEntry, ReportsAProgramPathBeyondItsBuffer) {
  // With a Windows directory of 250 characters the path no longer fits.
  const std::string windowsDir = "C:\\" + std::string(247, 'w');
  const ListDirs dirs = {"C:\\WINDOWS\\SYSTEM", windowsDir.c_str()};
  Collected collected;
  FindingSink sink = {CollectFinding, &collected};
  const FindingPlace place = {"qvsetup.ini", "setup", &sink};
  std::vector<std::string> countryFiles;
  LintLaunchEntry(place, 3, 6, "tool.exe,$windows tools", dirs, {"/nonexistent", kWesternCodePage},
                  &countryFiles);
  EXPECT_EQ(collected.codes, Codes{"3:6:launch-path-too-long"});
}

// The disk's names are UTF-8; qvsetup.ini names them in the code page.
TEST(FindMediumFile, FindsNamesAsWindowsShowsThemInTheCodePage) {
  const Medium medium({"Sub/", "Sub/File.INI", "top.exe",
                       "r\xC3\xBC"
                       "ck.txt",
                       "\xC5\x99.txt"});
  struct Lookup {
    const char* name;
    unsigned codePage;
    FileKind kind;
    const char* found;
  };
  const Lookup lookups[] = {
      {"sub\\file.ini", 1252, kRegularFile, "Sub/File.INI"},
      {"SUB", 1252, kDirectoryFile, "Sub"},
      {"TOP.EXE", 1252, kRegularFile, "top.exe"},
      {"top", 1252, kNoFile, nullptr},
      {"none\\top.exe", 1252, kNoFile, nullptr},
      // "rück.txt" in 1252, in capitals: Windows folds the letter.
      {"R\xDC"
       "CK.TXT",
       1252, kRegularFile,
       "r\xC3\xBC"
       "ck.txt"},
      // The UTF-8 bytes read in 1252 are another name.
      {"r\xC3\xBC"
       "ck.txt",
       1252, kNoFile, nullptr},
      // U+0159 is 0xF8 in 1250; 1252 lacks it, and shows the file otherwise.
      {"\xF8.txt", 1250, kRegularFile, "\xC5\x99.txt"},
      {"\xF8.txt", 1252, kNoFile, nullptr},
      {"?.txt", 1252, kNoFile, nullptr},
  };
  for (const Lookup& lookup : lookups) {
    std::string found;
    EXPECT_EQ(FindMediumFile(medium.dir(), lookup.name, lookup.codePage, &found), lookup.kind)
        << lookup.name;
    if (lookup.found != nullptr) {
      EXPECT_EQ(found, medium.dir() + "/" + lookup.found);
    }
  }
}

}  // namespace
