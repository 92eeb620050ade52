#include "effect_check.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "code_page.h"
#include "shown_text.h"

namespace {

const char kNineXFamily[] = "on Windows 95, 98 and ME";
const RegistryPlatform kDocumented[] = {kPlatformNt, kPlatform9x};

unsigned PlatformBit(RegistryPlatform platform) {
  static const unsigned kBits[kPlatformCount] = {kOnNt, kOnNineX, kOnWineNt, kOnWineNineX};
  return kBits[platform];
}

// The test platform of a documented family.
RegistryPlatform WineOf(RegistryPlatform platform) {
  return NineXFamily(platform) ? kPlatformWine9x : kPlatformWineNt;
}

// Where something holds, for the messages; the JSON lists the platforms.
std::string Families(unsigned platforms) {
  const bool nt = (platforms & kOnNt) != 0;
  const bool nineX = (platforms & kOnNineX) != 0;
  if (!nt && !nineX) return "under Wine";
  std::string text = nt && nineX ? "on every Windows version"
                     : nt        ? "on Windows NT 4.0 and 2000"
                                 : kNineXFamily;
  if ((platforms & (kOnWineNt | kOnWineNineX)) == 0) text += ", though not under Wine";
  return text;
}

const RegistryModel& NtModel(const EffectCheck& check) { return check.effects[kPlatformNt].model; }

// The journal is in the order of the lines.
std::vector<const LineEffect*> EffectsAt(const CountryEffect& effect, unsigned line) {
  std::vector<const LineEffect*> found;
  auto entry =
      std::lower_bound(effect.journal.begin(), effect.journal.end(), line,
                       [](const LineEffect& e, unsigned wanted) { return e.line < wanted; });
  for (; entry != effect.journal.end() && entry->line == line; ++entry) found.push_back(&*entry);
  return found;
}

bool KeyKind(EffectKind kind) { return kind == kEffectKey || kind == kEffectKeyRefused; }

const LineEffect* KeyEffectAt(const CountryEffect& effect, unsigned line, const char* asked) {
  for (const LineEffect* entry : EffectsAt(effect, line)) {
    if (KeyKind(entry->kind) && entry->asked == asked) return entry;
  }
  return nullptr;
}

// The entry of `platform` that does at `line` what `like` does on another.
const LineEffect* Counterpart(const EffectCheck& check, RegistryPlatform platform, unsigned line,
                              const LineEffect& like) {
  const std::vector<const LineEffect*> entries = EffectsAt(check.effects[platform], line);
  for (const LineEffect* entry : entries) {
    if (KeyKind(entry->kind) == KeyKind(like.kind) && entry->deleting == like.deleting &&
        entry->asked == like.asked)
      return entry;
  }
  return entries.empty() ? nullptr : entries.front();
}

const char* FaultText(PathFault fault, RegistryPlatform platform) {
  switch (fault) {
    case kPathLeadingBackslash:
      return "it starts with a backslash";
    case kPathNameTooLong:
      return LimitsOf(platform).keyName == 255 ? "a name in it is longer than 255 characters"
                                               : "a name in it is longer than 256 characters";
    case kRegistryPathTooLong:
      return "it is longer than 260 characters";
    case kPathUsable:
    case kPathMissing:
    case kValueNameRefused:
    case kValueDataRefused:
      break;
  }
  return "it names no key";
}

// The key that a line reached, against the key as the line writes it:
// names of keys that no line of the file created may differ in case.
bool ReachedAsWritten(const EffectCheck& check, const LineEffect& entry,
                      const std::string& written) {
  if (SameRegistryName(NtModel(check), entry.key, written)) {
    return entry.respelled == nullptr || entry.respelled->createdLine == 0;
  }
  return false;
}

const std::string kCountryName = std::string("HKEY_LOCAL_MACHINE\\") + kCountryKeyPath;

// The name below the Country key, for the messages.
std::string BelowCountry(const std::string& key) {
  if (key.size() <= kCountryName.size()) return "Country";
  return "Country" + key.substr(kCountryName.size());
}

std::string KeyShown(const std::string& key, bool section) {
  return section ? BelowCountry(key) : key;
}

// A refusal that comes from a point that the family's documentation leaves
// open: reported as such, not as a refusal.
bool FollowsUndocumented(const LineEffect& entry) {
  return entry.fault == kRegistryPathTooLong && (entry.undocumented & kUndocumentedPathLength);
}

// A path that the registry refuses on some platforms: `entries` holds each
// platform's work at the line. True when one was reported.
bool ReportRefused(const EffectCheck& check, unsigned line, unsigned column, const char* what,
                   const LineEffect* const entries[kPlatformCount]) {
  unsigned refused = 0;
  const LineEffect* shown = nullptr;
  RegistryPlatform shownPlatform = kPlatformNt;
  for (int each = 0; each < kPlatformCount; ++each) {
    const RegistryPlatform platform = static_cast<RegistryPlatform>(each);
    const LineEffect* entry = entries[each];
    if (entry == nullptr || entry->kind != kEffectKeyRefused) continue;
    if (FollowsUndocumented(*entry)) continue;
    refused |= PlatformBit(platform);
    if (shown == nullptr) {
      shown = entry;
      shownPlatform = platform;
    }
  }
  // A refusal under Wine alone is what Wine does where the documentation is
  // silent: the undocumented point says so.
  if ((refused & (kOnNt | kOnNineX)) == 0) return false;
  const bool section = strcmp(what, "section") == 0;
  const LineEffect* nineX = entries[kPlatform9x];
  Message effect;
  if ((refused & kOnNt) && !(refused & kOnNineX) && nineX != nullptr && nineX->kind == kEffectKey) {
    effect = Say("qvsmzad writes nothing there on Windows NT 4.0 and 2000; %s it writes into %s",
                 kNineXFamily, Show(KeyShown(nineX->key, section).c_str()).text);
  } else if (shown->deleting) {
    effect = Say("qvsmzad deletes nothing");
  } else {
    effect = Say("qvsmzad writes none of the %s's values", what);
  }
  ReportOn(*check.place, line, column, refused, kKeyRefused,
           Say("the registry refuses the key %s %s: %s", Show(shown->asked.c_str()).text,
               Families(refused).c_str(), FaultText(shown->fault, shownPlatform)),
           effect);
  return true;
}

const char* FamilyNames(unsigned platforms) {
  if ((platforms & kOnNt) && (platforms & kOnNineX)) return "Windows 95 to 2000";
  return (platforms & kOnNt) ? "Windows NT 4.0 and 2000" : "Windows 95, 98 and ME";
}

Message UndocumentedReason(unsigned point, const LineEffect& entry, unsigned platforms) {
  const Shown asked = Show(entry.asked.c_str());
  switch (point) {
    case kUndocumentedEmptyName:
      return Say(
          "key path %s holds a doubled or trailing backslash: what the registry of %s does "
          "with it is not documented",
          asked.text, FamilyNames(platforms));
    case kUndocumentedPathLength:
      return Say(
          "key path %s is longer than 260 characters: what the registry of %s does with "
          "it is not documented",
          asked.text, FamilyNames(platforms));
    case kUndocumentedFolding:
      return Say(
          "name %s differs from a name before it only in the case of letters beyond "
          "ASCII: whether Windows 95, 98 and ME take them as one is not documented",
          asked.text);
    default:
      return Say(
          "key path %s holds a double-byte character whose second byte is a backslash: "
          "whether Windows 95, 98 and ME split the name there is not documented",
          asked.text);
  }
}

// What the test platform does where the documentation is silent.
Message WineDoes(const LineEffect* entry) {
  if (entry == nullptr) return Say("under Wine qvsmzad does nothing there");
  const Shown key = Show(entry->key.c_str());
  switch (entry->kind) {
    case kEffectKey:
      return Say("under Wine qvsmzad opens the key %s", key.text);
    case kEffectKeyRefused:
      return entry->deleting ? Say("Wine refuses the key: qvsmzad deletes nothing")
                             : Say("Wine refuses the key: qvsmzad writes nothing there");
    case kEffectValueSet:
    case kEffectValueKept:
      return Say("under Wine qvsmzad writes the value %s of %s", Show(entry->stored.c_str()).text,
                 key.text);
    case kEffectValueDeleted:
      return Say("under Wine the line deletes the value %s of %s", Show(entry->asked.c_str()).text,
                 key.text);
    default:
      return Say("under Wine qvsmzad writes nothing there");
  }
}

enum WorkOfLine { kKeysOfLine, kValuesOfLine, kAllOfLine };

bool PartOf(const LineEffect& entry, WorkOfLine work) {
  if (work == kAllOfLine) return true;
  return (KeyKind(entry.kind) && !entry.deleting) == (work == kKeysOfLine);
}

// One finding for the first point at `line` that a family's documentation
// leaves open in the `work` of the line; `reportLine` is where it is
// reported.
void ReportUndocumented(const EffectCheck& check, unsigned line, unsigned reportLine,
                        unsigned column, WorkOfLine work) {
  for (unsigned point = kUndocumentedEmptyName; point <= kUndocumentedTrailByte; point <<= 1) {
    unsigned platforms = 0;
    const LineEffect* first = nullptr;
    RegistryPlatform firstPlatform = kPlatformNt;
    for (RegistryPlatform platform : kDocumented) {
      for (const LineEffect* entry : EffectsAt(check.effects[platform], line)) {
        if ((entry->undocumented & point) == 0 || !PartOf(*entry, work)) continue;
        platforms |= PlatformBit(platform);
        if (first == nullptr) {
          first = entry;
          firstPlatform = platform;
        }
      }
    }
    if (first == nullptr) continue;
    ReportOn(*check.place, reportLine, column, platforms, kRegistryUndocumented,
             UndocumentedReason(point, *first, platforms),
             WineDoes(Counterpart(check, WineOf(firstPlatform), line, *first)));
    return;
  }
}

}  // namespace

void StartEffectCheck(FILE* file, unsigned codePage, const FindingPlace& place,
                      EffectCheck* check) {
  check->place = &place;
  for (int each = 0; each < kPlatformCount; ++each) {
    ModelCountryFile(file, static_cast<RegistryPlatform>(each), codePage, 0, &check->effects[each]);
    rewind(file);
  }
}

void CheckSectionKey(const EffectCheck& check, const char* section, unsigned headerLine,
                     unsigned line) {
  const LineEffect* entries[kPlatformCount];
  for (int each = 0; each < kPlatformCount; ++each)
    entries[each] = KeyEffectAt(check.effects[each], line, section);
  const LineEffect* nt = entries[kPlatformNt];
  if (nt == nullptr) return;  // the Country key itself could not be opened
  // The section's name starts after the "[" of its header.
  const unsigned nameColumn = 2;
  ReportUndocumented(check, line, headerLine, nameColumn, kKeysOfLine);
  if (ReportRefused(check, headerLine, nameColumn, "section", entries) ||
      nt->kind == kEffectKeyRefused)
    return;
  const RegistryModel& model = NtModel(check);
  const Shown name = Show(section);
  const std::string disabled = kCountryName + "\\Disabled";
  if (SameRegistryName(model, nt->key.substr(0, disabled.size() + 1), disabled + "\\") ||
      SameRegistryName(model, nt->key, disabled)) {
    const bool codeKey = !SameRegistryName(model, nt->key, disabled);
    ReportAt(*check.place, headerLine, nameColumn, kDisabledTree,
             Say("section %s lies in the tree of the disabled codes", name.text),
             codeKey ? Say("qvsmzad creates the key %s, as a code of Disable_Country does: "
                           "it disables that code",
                           Show(BelowCountry(nt->key).c_str()).text)
                     : Say("qvsmzad writes the section's values into Country\\Disabled, the key "
                           "that holds the disabled codes"));
    return;
  }
  // What an empty name does is said as undocumented.
  if ((nt->undocumented & kUndocumentedEmptyName) ||
      ReachedAsWritten(check, *nt, kCountryName + "\\" + section))
    return;
  const Shown reached = Show(BelowCountry(nt->key).c_str());
  if (!nt->created && nt->earlierLine > 0) {
    ReportAt(*check.place, headerLine, nameColumn, kKeyNameDiffers,
             Say("section %s names the key %s of line %u", name.text, reached.text,
                 nt->earlierLine),
             Say("qvsmzad adds the section's values to that key, whose name keeps its spelling"));
  } else {
    ReportAt(*check.place, headerLine, nameColumn, kKeyNameDiffers,
             Say("section %s names the key %s", name.text, reached.text),
             Say("qvsmzad writes the section's values into %s", reached.text));
  }
}

namespace {

// "255 characters on Windows 95, 98 and ME", for each documented family
// in `platforms`.
std::string ValueNameLimits(unsigned platforms) {
  std::string text;
  for (RegistryPlatform platform : kDocumented) {
    if ((platforms & PlatformBit(platform)) == 0) continue;
    if (!text.empty()) text += " and ";
    text += std::to_string(LimitsOf(platform).valueName) + " characters " +
            Families(PlatformBit(platform) | kOnWineNt | kOnWineNineX);
  }
  return text.empty() ? "under Wine" : text;
}

// The values that a line wrote: under an earlier value's name in another
// case, refused by a platform, or beyond what one key holds on Windows 95.
void CheckValues(const EffectCheck& check, unsigned line) {
  for (const LineEffect* entry : EffectsAt(check.effects[kPlatformNt], line)) {
    if (entry->kind != kEffectValueSet || entry->earlierLine == 0) continue;
    if (entry->stored == entry->asked) continue;
    Report(*check.place, line, kValueNameCase,
           Say("value name %s is the value %s of line %u: names ignore letter case",
               Show(entry->asked.c_str()).text, Show(entry->stored.c_str()).text,
               entry->earlierLine),
           Say("qvsmzad overwrites that value; its name keeps the spelling %s",
               Show(entry->stored.c_str()).text));
    break;
  }
  // Each refused name once, with every platform that refuses it.
  std::vector<std::string> reported;
  for (const CountryEffect& effect : check.effects) {
    for (const LineEffect* entry : EffectsAt(effect, line)) {
      if (entry->kind != kEffectValueRefused) continue;
      bool seen = false;
      for (const std::string& name : reported) seen = seen || name == entry->asked;
      if (seen) continue;
      reported.push_back(entry->asked);
      unsigned platforms = 0;
      for (int other = 0; other < kPlatformCount; ++other) {
        for (const LineEffect* same : EffectsAt(check.effects[other], line)) {
          if (same->kind == kEffectValueRefused && same->asked == entry->asked)
            platforms |= PlatformBit(static_cast<RegistryPlatform>(other));
        }
      }
      const Shown name = Show(entry->asked.c_str());
      ReportOn(
          *check.place, line, 1, platforms, kValueRefused,
          Say("value name %s has %u characters, more than the registry takes %s", name.text,
              static_cast<unsigned>(CodePageCharacters(effect.model.codePage, entry->asked).size()),
              ValueNameLimits(platforms).c_str()),
          Say("qvsmzad writes no value %s into %s", name.text, Show(entry->key.c_str()).text));
    }
  }
  for (const LineEffect* entry : EffectsAt(check.effects[kPlatform9x], line)) {
    if (entry->kind != kEffectKeyFull) continue;
    ReportOn(*check.place, line, 1, kOnNineX, kKeyValuesFull,
             Say("with value %s the names and data of the values of %s pass 64 KB",
                 Show(entry->asked.c_str()).text, Show(entry->key.c_str()).text),
             Say("Windows 95 refuses this value and every later one of that key; Windows 98 and "
                 "ME take them"));
  }
}

}  // namespace

void CheckValueNames(const EffectCheck& check, unsigned line) {
  ReportUndocumented(check, line, line, 1, kValuesOfLine);
  CheckValues(check, line);
}

void CheckRegistryLineEffect(const EffectCheck& check, unsigned line) {
  const LineEffect* entries[kPlatformCount];
  for (int each = 0; each < kPlatformCount; ++each) {
    const std::vector<const LineEffect*> found = EffectsAt(check.effects[each], line);
    entries[each] = found.empty() ? nullptr : found.front();
  }
  ReportUndocumented(check, line, line, 1, kAllOfLine);
  const LineEffect* nt = entries[kPlatformNt];
  if (nt == nullptr) return;
  if (ReportRefused(check, line, 1, nt->deleting ? "deletion" : "line", entries)) return;
  if (nt->deleting) return;
  for (const LineEffect* entry : EffectsAt(check.effects[kPlatformNt], line)) {
    if (entry->kind == kEffectKey && !(entry->undocumented & kUndocumentedEmptyName) &&
        !ReachedAsWritten(check, *entry, std::string("HKEY_LOCAL_MACHINE\\") + entry->asked)) {
      Report(*check.place, line, kKeyNameDiffers,
             Say("key path %s names the key %s", Show(entry->asked.c_str()).text,
                 Show(entry->key.c_str()).text),
             entry->earlierLine > 0
                 ? Say("qvsmzad writes into the key of line %u, whose name keeps its spelling",
                       entry->earlierLine)
                 : Say("qvsmzad writes into %s", Show(entry->key.c_str()).text));
    }
    if (entry->kind == kEffectValueKept) {
      Report(*check.place, line, kValueKept,
             Say("value %s was written by line %u", Show(entry->stored.c_str()).text,
                 entry->earlierLine),
             Say("the type code keeps an existing value: qvsmzad leaves the value of line %u",
                 entry->earlierLine));
    }
  }
  CheckValues(check, line);
}

bool LineHasEffect(const EffectCheck& check, unsigned line) {
  return !EffectsAt(check.effects[kPlatformNt], line).empty();
}

unsigned EarlierValueLine(const EffectCheck& check, unsigned line, const std::string& name) {
  const CountryEffect& nt = check.effects[kPlatformNt];
  const std::string* key = nullptr;
  for (const LineEffect* entry : EffectsAt(nt, line)) {
    if (entry->kind == kEffectValueSet) key = &entry->key;
  }
  if (key == nullptr) return 0;
  unsigned earlier = 0;
  for (const LineEffect& entry : nt.journal) {
    if (entry.line >= line) break;
    // Keys are journalled in their stored spelling: one key, one name.
    if (entry.kind == kEffectValueSet && entry.key == *key &&
        SameRegistryName(nt.model, entry.asked, name)) {
      earlier = entry.line;
    }
  }
  return earlier;
}

void CheckCountryKeyKept(const EffectCheck& check, const std::string& data) {
  unsigned platforms = 0;
  for (int each = 0; each < kPlatformCount; ++each) {
    if (check.effects[each].countryDeleted)
      platforms |= PlatformBit(static_cast<RegistryPlatform>(each));
  }
  if ((platforms & (kOnNt | kOnNineX)) == 0) return;
  // Read plainly, with every line break of any kind ending a line: is there
  // a header of a country section or of Disable_Country with text under it
  // or after its "]"?
  const std::string read = data.substr(0, data.find('\x1A'));  // Ctrl-Z ends the file
  unsigned line = 1;
  unsigned headerLine = 0;  // of the country-looking header that the text is under
  size_t start = 0;
  while (start < read.size()) {
    size_t end = read.find_first_of("\r\n", start);
    if (end == std::string::npos) end = read.size();
    std::string piece = read.substr(start, end - start);
    piece.erase(0, piece.find_first_not_of(" \t"));
    std::string text = piece;
    const size_t close = piece.find(']');
    if (!piece.empty() && piece[0] == '[' && close != std::string::npos) {
      const std::string name = piece.substr(1, close - 1);
      headerLine = name.empty() || name == "Registry" ? 0 : line;
      text = piece.substr(close + 1);
      text.erase(0, text.find_first_not_of(" \t"));
    }
    if (headerLine > 0 && !text.empty() && text[0] != ';') {
      ReportOn(*check.place, headerLine, 1, platforms, kCountryKeyDeleted,
               Say("no country section and no disabled code takes effect"),
               (platforms & kOnNt) != 0
                   ? Say("qvsmzad deletes the Country key, and with it every country setting")
                   : Say("qvsmzad deletes the Country key %s with every key below it",
                         kNineXFamily));
      return;
    }
    // A lone carriage return does not end a line of the text-mode reading.
    if (end + 1 < read.size() && read[end] == '\r' && read[end + 1] == '\n') ++end;
    if (end < read.size() && read[end] == '\n') ++line;
    start = end + 1;
  }
  // A Registry line that writes below the Country key, whose deletion takes
  // that key along.
  for (RegistryPlatform platform : kDocumented) {
    const CountryEffect& effect = check.effects[platform];
    if (!effect.countryDeleted) continue;
    for (const LineEffect& entry : effect.journal) {
      if (entry.kind != kEffectKey || entry.line == 0 ||
          !SameRegistryName(effect.model, entry.key.substr(0, kCountryName.size() + 1),
                            kCountryName + "\\"))
        continue;
      ReportOn(*check.place, entry.line, 1, platforms, kCountryKeyDeleted,
               Say("no country section and no disabled code takes effect"),
               Say("qvsmzad deletes the Country key %s with every key below it, %s included",
                   Families(platforms).c_str(), Show(BelowCountry(entry.key).c_str()).text));
      return;
    }
  }
}
