#include "effect_check.h"

#include <cstring>
#include <vector>

#include "shown_text.h"

namespace {

const char kNtFamily[] = "on Windows NT and 2000";
const char kNineXFamily[] = "on Windows 95, 98 and ME";

std::vector<const LineEffect*> EffectsAt(const CountryEffect& effect, unsigned line) {
  std::vector<const LineEffect*> found;
  for (const LineEffect& entry : effect.journal) {
    if (entry.line == line) found.push_back(&entry);
  }
  return found;
}

const LineEffect* KeyEffectAt(const CountryEffect& effect, unsigned line, const char* asked) {
  for (const LineEffect* entry : EffectsAt(effect, line)) {
    if ((entry->kind == kEffectKey || entry->kind == kEffectKeyRefused) && entry->asked == asked)
      return entry;
  }
  return nullptr;
}

const char* FaultText(PathFault fault) {
  switch (fault) {
    case kPathLeadingBackslash:
      return "it starts with a backslash";
    case kPathNameTooLong:
      return "a name in it is longer than 256 characters";
    case kPathTooLong:
      return "it is longer than 260 characters";
    case kPathUsable:
    case kPathMissing:
      break;
  }
  return "it names no key";
}

// The key that a line reached, against the key as the line writes it:
// names of keys that no line of the file created may differ in case.
bool ReachedAsWritten(const LineEffect& entry, const std::string& written) {
  if (SameRegistryName(entry.key, written)) {
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

void ReportRefused(const EffectCheck& check, unsigned line, const char* what, const LineEffect& nt,
                   const LineEffect* nineX) {
  const bool ntRefused = nt.kind == kEffectKeyRefused;
  const bool nineXRefused = nineX != nullptr && nineX->kind == kEffectKeyRefused;
  if (!ntRefused && !nineXRefused) return;
  const LineEffect& refused = ntRefused ? nt : *nineX;
  const char* family = ntRefused && nineXRefused ? "" : ntRefused ? kNtFamily : kNineXFamily;
  const Shown asked = Show(refused.asked.c_str());
  Report(*check.place, line, kKeyRefused,
         Say("the registry refuses the key %s %s: %s", asked.text, family,
             FaultText(refused.fault)),
         ntRefused && !nineXRefused && nineX != nullptr
             ? Say("qvsmzad writes nothing there %s; %s it writes into %s", kNtFamily, kNineXFamily,
                   Show(strcmp(what, "section") == 0 ? BelowCountry(nineX->key).c_str()
                                                     : nineX->key.c_str())
                       .text)
             : Say("qvsmzad writes none of the %s's values", what));
}

}  // namespace

void StartEffectCheck(FILE* file, const FindingPlace& place, EffectCheck* check) {
  check->place = &place;
  ModelCountryFile(file, kPlatformNt, 0, &check->nt);
  rewind(file);
  ModelCountryFile(file, kPlatform9x, 0, &check->nineX);
  rewind(file);
}

void CheckSectionKey(const EffectCheck& check, const char* section, unsigned headerLine,
                     unsigned line) {
  const LineEffect* nt = KeyEffectAt(check.nt, line, section);
  if (nt == nullptr) return;  // the Country key itself could not be opened
  const LineEffect* nineX = KeyEffectAt(check.nineX, line, section);
  if (nt->kind == kEffectKeyRefused || (nineX != nullptr && nineX->kind == kEffectKeyRefused)) {
    ReportRefused(check, headerLine, "section", *nt, nineX);
    return;
  }
  const Shown name = Show(section);
  const std::string disabled = kCountryName + "\\Disabled";
  if (SameRegistryName(nt->key.substr(0, disabled.size() + 1), disabled + "\\") ||
      SameRegistryName(nt->key, disabled)) {
    const bool codeKey = !SameRegistryName(nt->key, disabled);
    Report(*check.place, headerLine, kDisabledTree,
           Say("section %s lies in the tree of the disabled codes", name.text),
           codeKey ? Say("qvsmzad creates the key %s, as a code of Disable_Country does: "
                         "it disables that code",
                         Show(BelowCountry(nt->key).c_str()).text)
                   : Say("qvsmzad writes the section's values into Country\\Disabled, the key "
                         "that holds the disabled codes"));
    return;
  }
  if (ReachedAsWritten(*nt, kCountryName + "\\" + section)) return;
  const Shown reached = Show(BelowCountry(nt->key).c_str());
  if (!nt->created && nt->earlierLine > 0) {
    Report(*check.place, headerLine, kKeyNameDiffers,
           Say("section %s names the key %s of line %u", name.text, reached.text, nt->earlierLine),
           Say("qvsmzad adds the section's values to that key, whose name keeps its spelling"));
  } else {
    Report(*check.place, headerLine, kKeyNameDiffers,
           Say("section %s names the key %s", name.text, reached.text),
           Say("qvsmzad writes the section's values into %s", reached.text));
  }
}

void CheckValueNames(const EffectCheck& check, unsigned line) {
  for (const LineEffect* entry : EffectsAt(check.nt, line)) {
    if (entry->kind != kEffectValueSet || entry->earlierLine == 0) continue;
    if (entry->stored == entry->asked) continue;
    Report(*check.place, line, kValueNameCase,
           Say("value name %s is the value %s of line %u: names ignore letter case",
               Show(entry->asked.c_str()).text, Show(entry->stored.c_str()).text,
               entry->earlierLine),
           Say("qvsmzad overwrites that value; its name keeps the spelling %s",
               Show(entry->stored.c_str()).text));
    return;
  }
}

void CheckRegistryLineEffect(const EffectCheck& check, unsigned line) {
  const std::vector<const LineEffect*> nt = EffectsAt(check.nt, line);
  const std::vector<const LineEffect*> nineX = EffectsAt(check.nineX, line);
  for (size_t i = 0; i < nt.size(); ++i) {
    const LineEffect& entry = *nt[i];
    const LineEffect* other = i < nineX.size() ? nineX[i] : nullptr;
    if (entry.kind == kEffectKeyRefused || (other != nullptr && other->kind == kEffectKeyRefused)) {
      ReportRefused(check, line, "line", entry, other);
      return;
    }
    if (entry.kind == kEffectKey &&
        !ReachedAsWritten(entry, std::string("HKEY_LOCAL_MACHINE\\") + entry.asked)) {
      Report(*check.place, line, kKeyNameDiffers,
             Say("key path %s names the key %s", Show(entry.asked.c_str()).text,
                 Show(entry.key.c_str()).text),
             entry.earlierLine > 0
                 ? Say("qvsmzad writes into the key of line %u, whose name keeps its spelling",
                       entry.earlierLine)
                 : Say("qvsmzad writes into %s", Show(entry.key.c_str()).text));
    }
    if (entry.kind == kEffectValueKept) {
      Report(*check.place, line, kValueKept,
             Say("value %s was written by line %u", Show(entry.stored.c_str()).text,
                 entry.earlierLine),
             Say("the type code keeps an existing value: qvsmzad leaves the value of line %u",
                 entry.earlierLine));
    }
  }
  CheckValueNames(check, line);
}

bool LineHasEffect(const EffectCheck& check, unsigned line) {
  return !EffectsAt(check.nt, line).empty();
}

unsigned EarlierValueLine(const EffectCheck& check, unsigned line, const std::string& name) {
  const std::string* key = nullptr;
  for (const LineEffect* entry : EffectsAt(check.nt, line)) {
    if (entry->kind == kEffectValueSet) key = &entry->key;
  }
  if (key == nullptr) return 0;
  unsigned earlier = 0;
  for (const LineEffect& entry : check.nt.journal) {
    if (entry.line >= line) break;
    if (entry.kind == kEffectValueSet && SameRegistryName(entry.key, *key) &&
        SameRegistryName(entry.asked, name)) {
      earlier = entry.line;
    }
  }
  return earlier;
}

void CheckCountryKeyKept(const EffectCheck& check, const std::string& data) {
  if (!check.nt.countryDeleted && !check.nineX.countryDeleted) return;
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
      Report(*check.place, headerLine, kCountryKeyDeleted,
             Say("no country section and no disabled code takes effect"),
             check.nt.countryDeleted
                 ? Say("qvsmzad deletes the Country key, and with it every country setting")
                 : Say("qvsmzad deletes the Country key %s with every key below it", kNineXFamily));
      return;
    }
    // A lone carriage return does not end a line of the text-mode reading.
    if (end + 1 < read.size() && read[end] == '\r' && read[end + 1] == '\n') ++end;
    if (end < read.size() && read[end] == '\n') ++line;
    start = end + 1;
  }
}
