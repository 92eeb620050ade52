#include "setup_ini_check.h"

#include <cstring>

#include "base/options.h"
#include "base/platform.h"
#include "files/lists_rules.h"
#include "list_entry_check.h"
#include "profile.h"
#include "shown_text.h"

namespace {

enum SectionUse { kOptions, kCopyList, kLaunchList };

struct KnownSection {
  std::string name;
  SectionUse use;
  ListDirs dirs;
};

const ListDirs kNtDirs = {"C:\\WINNT\\system32", "C:\\WINNT"};
const ListDirs k9xDirs = {"C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS"};

void AddKnown(std::vector<KnownSection>* known, const char* name, SectionUse use,
              const ListDirs& dirs) {
  if (name == nullptr) return;
  for (const KnownSection& section : *known) {
    if (section.name == name) return;
  }
  known->push_back({name, use, dirs});
}

// The sections that setup reads, on some platform class.
std::vector<KnownSection> KnownSections() {
  std::vector<KnownSection> known;
  AddKnown(&known, kOptionsSection, kOptions, kNtDirs);
  const OsClass classes[] = {kOsClassNT4,   kOsClassWin2000, kOsClassWin95,
                             kOsClassWin98, kOsClassWin98SE, kOsClassWinME};
  for (OsClass osClass : classes) {
    const ListDirs& dirs = IsWindows9xClass(osClass) ? k9xDirs : kNtDirs;
    AddKnown(&known, CopyListSection(osClass), kCopyList, dirs);
    AddKnown(&known, LaunchListSection(osClass), kLaunchList, dirs);
  }
  return known;
}

const KnownSection* FindKnown(const std::vector<KnownSection>& known, const std::string& name) {
  for (const KnownSection& section : known) {
    if (SameNameIgnoringCase(section.name, name)) return &section;
  }
  return nullptr;
}

// Reports the key lines that the reader never hands out by name: the
// broken headers, lines without "=" or without a name, repeated keys.
// Returns the keys that remain, in file order.
std::vector<const ProfileKey*> UsableKeys(const FindingPlace& place, const ProfileSection& section,
                                          const KnownSection& known) {
  std::vector<const ProfileKey*> usable;
  for (const ProfileKey& key : section.keys) {
    if (key.unclosedHeader) {
      Report(place, key.line, kUnclosedHeader, Say("a \"[\" line without \"]\""),
             Say("setup reads it as a key line: the lines below stay in section [%s]",
                 section.name.c_str()));
    } else if (!key.hasEquals) {
      ReportAt(place, key.line, key.column, kKeyNoEquals,
               Say("%s holds no \"=\"", Show(key.name.c_str()).text), Say("setup never reads it"));
    } else if (key.name.empty()) {
      ReportAt(place, key.line, key.column, kKeyEmptyName,
               Say("the key name before \"=\" is empty"), Say("setup never reads it"));
    } else if (const ProfileKey* first = FindProfileKey(section, key.name); first != &key) {
      ReportAt(place, key.line, key.column, kRepeatedKey,
               Say("key %s appears again in [%s] (first at line %u)", key.name.c_str(),
                   section.name.c_str(), first->line),
               known.use == kOptions
                   ? Say("setup reads only the first one")
                   : Say("setup never reads this value: it takes the first entry's value again"));
    } else {
      usable.push_back(&key);
    }
  }
  return usable;
}

bool IsYesNoOption(const std::string& name) {
  for (int option = 0; option < kYesNoOptionCount; ++option) {
    if (SameNameIgnoringCase(name, YesNoOptionKey(static_cast<YesNoOption>(option)))) return true;
  }
  return false;
}

void LintOptions(const FindingPlace& place, const std::vector<const ProfileKey*>& keys) {
  for (const ProfileKey* key : keys) {
    if (SameNameIgnoringCase(key->name, kLogFileOptionKey)) continue;
    if (!IsYesNoOption(key->name)) {
      ReportAt(place, key->line, key->column, kUnknownOption,
               Say("%s is not an option of setup", key->name.c_str()), Say("setup ignores it"));
      continue;
    }
    const std::string value = ProfileValue(*key);
    if (OptionValueIsSet(value.c_str()) || value[0] == 'N' || value[0] == 'n') continue;
    ReportAt(place, key->line, ProfileValueColumn(*key), kOptionNotYesNo,
             Say("value %s of %s is neither Y nor N", Show(value.c_str()).text, key->name.c_str()),
             Say("setup reads it as no: only a first letter Y or y means yes"));
  }
}

// A copy or launch list: the keys that the reader's key list holds, each
// looked up by its name, as setup goes through them.
void LintList(const FindingPlace& place, const ProfileSection& section, const KnownSection& known,
              const std::string& mediumDir, std::vector<std::string>* countryFiles) {
  std::vector<const ProfileKey*> listed;
  for (const ProfileKey& key : section.keys) {
    if (IsListedKey(key)) listed.push_back(&key);
  }
  char names[kKeyListSize];
  const size_t returned = FillKeyList(listed, names, sizeof names, kNtNameList);
  const size_t whole = WholeKeyListLength(names, returned, sizeof names, false);
  size_t index = 0;
  // A key name holding a NUL byte shows as more than one name in the list:
  // the walk ends with the keys it has.
  for (const char* name = names; name < names + whole && *name && index < listed.size();
       name += strlen(name) + 1, ++index) {
    const ProfileKey& key = *listed[index];
    if (strlen(name) > kListNameLimit) {
      ReportAt(place, key.line, key.column, kListKeyTooLong,
               Say("key name %s has more than %u characters", Show(name).text,
                   static_cast<unsigned>(kListNameLimit)),
               Say("setup skips the entry"));
      continue;
    }
    if (FindProfileKey(section, key.name) != &key) continue;  // a repeated key: reported already
    const std::string value = ProfileValue(key);
    const unsigned column = ProfileValueColumn(key);
    if (value.size() > kListValueLimit) {
      ReportAt(place, key.line, column, kListValueTooLong,
               Say("the value has %u characters, more than %u", static_cast<unsigned>(value.size()),
                   static_cast<unsigned>(kListValueLimit)),
               Say("setup skips the entry"));
      continue;
    }
    if (known.use == kCopyList)
      LintCopyEntry(place, key.line, column, value, known.dirs, mediumDir);
    else
      LintLaunchEntry(place, key.line, column, value, known.dirs, mediumDir, countryFiles);
  }
  for (; index < listed.size(); ++index) {
    ReportAt(place, listed[index]->line, listed[index]->column, kKeyListFull,
             Say("key %s lies beyond the %u bytes of key names that setup reads of [%s]",
                 Show(listed[index]->name.c_str()).text, static_cast<unsigned>(kKeyListSize),
                 section.name.c_str()),
             Say("setup never reads it"));
  }
}

// What no source shows of the reader on some family: the model reads these
// lines as the test platform does, and says so.
void LintUndocumentedReading(const FindingPlace& place, const Profile& profile) {
  if (profile.loneCarriageReturnLine != 0) {
    ReportOn(place, profile.loneCarriageReturnLine, 1, kOnNineX, kProfileUndocumented,
             Say("the line ends in a carriage return without a line feed"),
             Say("Windows NT reads such lines as lines, as qvlint does; Windows 95, 98 and ME "
                 "do not read them correctly, and no source says how they read them"));
  }
  for (size_t i = 1; i < profile.sections.size(); ++i) {
    if (!profile.sections[i].nameBlanksDropped) continue;
    Report(place, profile.sections[i].line, kProfileUndocumented,
           Say("blanks inside the brackets of section [%s]", profile.sections[i].name.c_str()),
           Say("later Windows drop them and qvlint reads [%s]; no source says what Windows 95 "
               "to 2000 do",
               profile.sections[i].name.c_str()));
  }
}

const char kUtf8Mark[] = "\xEF\xBB\xBF";

bool StartsWithUtf16Mark(const std::string& text) {
  return text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0;
}

}  // namespace

void LintSetupIni(const std::string& text, const FindingPlace& place, const std::string& mediumDir,
                  std::vector<std::string>* countryFiles) {
  // Windows NT reads a file with a byte-order mark as Unicode text (and so
  // does qvlint, for UTF-8); Windows 95, 98 and ME read the mark as text.
  if (StartsWithUtf16Mark(text)) {
    Report(place, 1, kEncodingMark, Say("the file is UTF-16 text"),
           Say("Windows 95, 98 and ME can not read it; qvlint checks it no further"));
    return;
  }
  const bool utf8 = text.compare(0, 3, kUtf8Mark) == 0;
  if (utf8) {
    Report(place, 1, kEncodingMark, Say("the file starts with a UTF-8 byte-order mark"),
           Say("Windows 95, 98 and ME read the mark as text of line 1, so a section header there "
               "is not seen"));
  }
  Profile profile;
  ReadProfile(utf8 ? text.substr(3) : text, &profile);
  LintUndocumentedReading(place, profile);
  for (const ProfileKey& key : profile.sections[0].keys) {
    Report(place, key.line, kContentBeforeSection, Say("the line stands before any section"),
           Say("setup never reads it"));
  }
  const std::vector<KnownSection> known = KnownSections();
  for (size_t i = 1; i < profile.sections.size(); ++i) {
    const ProfileSection& section = profile.sections[i];
    const ProfileSection* first = FindProfileSection(profile, section.name);
    if (first != nullptr && first != &section) {
      Report(place, section.line, kRepeatedSetupSection,
             Say("section [%s] appears again (first at line %u)", section.name.c_str(),
                 first->line),
             Say("setup reads only the first one: no line of this one is read"));
      continue;
    }
    const KnownSection* use = FindKnown(known, section.name);
    if (use == nullptr) {
      Report(place, section.line, kUnknownSection,
             Say("section %s is not one that setup reads", Show(section.name.c_str()).text),
             Say("setup never reads any of its lines"));
      continue;
    }
    const std::vector<const ProfileKey*> keys = UsableKeys(place, section, *use);
    if (use->use == kOptions)
      LintOptions(place, keys);
    else
      LintList(place, section, *use, mediumDir, countryFiles);
  }
}
