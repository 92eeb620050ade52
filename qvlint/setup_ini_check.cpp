#include "setup_ini_check.h"

#include <algorithm>
#include <cstring>

#include "base/options.h"
#include "base/platform.h"
#include "code_page.h"
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
    const bool set = OptionValueIsSet(value.c_str());
    if (set && SameNameIgnoringCase(key->name, YesNoOptionKey(kDebugOption))) {
      ReportAt(place, key->line, ProfileValueColumn(*key), kDebugMessageBoxes, Say("Debug is on"),
               Say("setup shows its diagnostic message boxes, each waiting for OK, in a silent "
                   "run too"));
    }
    if (set || value[0] == 'N' || value[0] == 'n') continue;
    ReportAt(place, key->line, ProfileValueColumn(*key), kOptionNotYesNo,
             Say("value %s of %s is neither Y nor N", Show(value.c_str()).text, key->name.c_str()),
             Say("setup reads it as no: only a first letter Y or y means yes"));
  }
}

// A copy or launch list: the keys that the reader's key list holds, each
// looked up by its name, as setup goes through them.
void LintList(const FindingPlace& place, const ProfileSection& section, const KnownSection& known,
              const MediumDir& medium, std::vector<std::string>* countryFiles) {
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
      LintCopyEntry(place, key.line, column, value, known.dirs, medium);
    else
      LintLaunchEntry(place, key.line, column, value, known.dirs, medium, countryFiles);
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

// The word of `text` around its byte `at`: the bytes between the blanks,
// commas, backslashes and equals signs before and after it.
std::string WordAround(const std::string& text, size_t at, size_t* start) {
  const char* const kEnds = " \t,\\=";
  const size_t before = text.find_last_of(kEnds, at);
  *start = before == std::string::npos ? 0 : before + 1;
  const size_t after = text.find_first_of(kEnds, at);
  return text.substr(*start, after == std::string::npos ? std::string::npos : after - *start);
}

bool BeyondAscii(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// A file that is UTF-8 beyond ASCII was saved so by an editor: setup reads
// its names as ANSI text, byte by byte in the code page, and finds no file
// of the name that the editor showed. Reported once, at the first key whose
// name or value holds such a byte.
void LintUtf8Names(const std::string& text, const Profile& profile, const FindingPlace& place,
                   unsigned codePage) {
  std::u32string codePoints;
  if (std::find_if(text.begin(), text.end(), BeyondAscii) == text.end() ||
      !DecodeUtf8(text, &codePoints))
    return;
  for (const ProfileSection& section : profile.sections) {
    for (const ProfileKey& key : section.keys) {
      const bool inName = std::find_if(key.name.begin(), key.name.end(), BeyondAscii) !=
                          key.name.end();
      const std::string& part = inName ? key.name : key.value;
      const size_t at = std::find_if(part.begin(), part.end(), BeyondAscii) - part.begin();
      if (at == part.size()) continue;
      size_t start = 0;
      const std::string word = WordAround(part, at, &start);
      std::u32string asRead;
      for (const CodePageCharacter& c : CodePageCharacters(OpenCodePage(codePage), word))
        asRead += static_cast<char32_t>(c.codePoint);
      ReportAt(place, key.line,
               (inName ? key.column : key.valueColumn) + static_cast<unsigned>(start), kNameNotAnsi,
               Say("%s is written in UTF-8", Show(word.c_str()).text),
               Say("setup looks for \"%s\" in code page %u", EncodeUtf8(asRead).c_str(), codePage));
      return;
    }
  }
}

const char kUtf8Mark[] = "\xEF\xBB\xBF";

bool StartsWithUtf16Mark(const std::string& text) {
  return text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0;
}

}  // namespace

void LintSetupIni(const std::string& text, const FindingPlace& place, const MediumDir& medium,
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
  // With its mark, the file is flagged already, and NT reads it as UTF-8.
  if (!utf8) LintUtf8Names(text, profile, place, medium.codePage);
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
      LintList(place, section, *use, medium, countryFiles);
  }
}
