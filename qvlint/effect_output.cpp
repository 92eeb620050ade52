#include "effect_output.h"

#include "shown_text.h"

namespace {

const char kLineEnd[] = "\r\n";
const char kDigits[] = "0123456789abcdef";
const unsigned long kTypeNumber = 4;  // REG_DWORD

bool HoldsLineBreak(const std::string& name) {
  return name.find_first_of("\r\n") != std::string::npos;
}

// A REGEDIT4 string has no escape for a control character: such a string
// goes as the bytes of a REG_SZ.
bool HoldsControl(const std::string& text) {
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
  }
  return false;
}

std::string ValueNameText(const std::string& name) {
  return name.empty() ? "@" : RegeditQuoted(name);
}

void SayNotExpressible(const char* what, const std::string& name, FILE* stream) {
  fprintf(stream, "; the %s ", what);
  PrintEscapingControls(stream, name.c_str());
  fprintf(stream, " holds a line break, which a REGEDIT4 file can not express%s", kLineEnd);
}

// A key is written when something shows in it: values, removed values, or
// no subkey that is written itself (an empty key, or one whose subkeys all
// have names with line breaks); keys on the way to others come with them.
bool ShowsItself(const ModelKey& key) {
  if (!key.values.empty() || !key.deletedValues.empty()) return true;
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys) {
    if (!HoldsLineBreak(subkey->name)) return false;
  }
  return true;
}

// The key's values, then "name"=- for each value that a deletion line
// removed and no later line wrote again. False when a name can not be
// written.
bool PrintValues(const RegistryModel& model, const ModelKey& key, FILE* stream) {
  bool expressible = true;
  for (const ModelValue& value : key.values) {
    if (HoldsLineBreak(value.name)) {
      SayNotExpressible("value", FullKeyName(&key) + "\\" + value.name, stream);
      expressible = false;
      continue;
    }
    if (value.onlyWhenAbsent)
      fprintf(stream, "; written only where the value does not exist yet%s", kLineEnd);
    fprintf(stream, "%s=%s%s", ValueNameText(value.name).c_str(),
            RegeditData(value.type, value.data).c_str(), kLineEnd);
  }
  std::vector<std::string> removed;
  for (const std::string& name : key.deletedValues) {
    bool listed = HoldsLineBreak(name);
    for (const ModelValue& value : key.values)
      listed = listed || SameRegistryName(model, value.name, name);
    for (const std::string& earlier : removed)
      listed = listed || SameRegistryName(model, earlier, name);
    if (listed) continue;
    removed.push_back(name);
    fprintf(stream, "%s=-%s", ValueNameText(name).c_str(), kLineEnd);
  }
  fputs(kLineEnd, stream);
  return expressible;
}

bool PrintKey(const RegistryModel& model, const ModelKey& key, FILE* stream) {
  if (key.parent != nullptr && HoldsLineBreak(key.name)) {
    SayNotExpressible("key", FullKeyName(&key), stream);
    return false;
  }
  bool expressible = true;
  const bool root = key.parent == nullptr;
  if ((root && (!key.values.empty() || !key.deletedValues.empty())) ||
      (!root && ShowsItself(key))) {
    fprintf(stream, "[%s]%s", FullKeyName(&key).c_str(), kLineEnd);
    expressible = PrintValues(model, key, stream);
  }
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys) {
    expressible = PrintKey(model, *subkey, stream) && expressible;
  }
  return expressible;
}

const char* PlatformText(RegistryPlatform platform) {
  switch (platform) {
    case kPlatformNt:
      return "Windows NT 4.0 and 2000";
    case kPlatform9x:
      return "Windows 95, 98 and ME";
    case kPlatformWineNt:
      return "Wine set to Windows NT 4.0 or 2000";
    case kPlatformWine9x:
    case kPlatformCount:
      break;
  }
  return "Wine set to Windows 95, 98 or ME";
}

void PrintAssumptions(const RegistryModel& model, FILE* stream) {
  const char* const lines[] = {
      "; What qvsmzad leaves in the registry after a run on this file.",
      "; It assumes: a machine without earlier country settings and without the values",
      "; that the Registry lines name; a run with administrator rights.",
      "; Removal lines ([-key] and \"name\"=-) need the regedit of Windows 98 Second",
      "; Edition, NT 4.0 or later.",
  };
  for (const char* line : lines) fprintf(stream, "%s%s", line, kLineEnd);
  fprintf(stream, "; Platform: %s; names in code page %u.%s%s", PlatformText(model.platform),
          model.codePage.number, kLineEnd, kLineEnd);
}

}  // namespace

std::string RegeditQuoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string RegeditHex(const char* kind, const std::string& bytes) {
  std::string hex = kind;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (i > 0) hex += ',';
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

std::string RegeditData(unsigned long type, const std::string& bytes) {
  if (type == kTypeNumber && bytes.size() == 4) {
    char number[16];
    snprintf(number, sizeof number, "dword:%02x%02x%02x%02x", static_cast<unsigned char>(bytes[3]),
             static_cast<unsigned char>(bytes[2]), static_cast<unsigned char>(bytes[1]),
             static_cast<unsigned char>(bytes[0]));
    return number;
  }
  if (type == kTypeBinary) return RegeditHex("hex:", bytes);
  if (type != kTypeString) {
    char kind[24];
    snprintf(kind, sizeof kind, "hex(%lx):", type);
    return RegeditHex(kind, bytes);
  }
  std::string text = bytes;
  if (!text.empty() && text.back() == '\0') text.pop_back();
  if (HoldsControl(text)) return RegeditHex("hex(1):", text + '\0');
  return RegeditQuoted(text);  // regedit adds the terminator again
}

bool PrintCountryEffect(const CountryEffect& effect, FILE* stream) {
  fprintf(stream, "REGEDIT4%s%s", kLineEnd, kLineEnd);
  PrintAssumptions(effect.model, stream);
  fprintf(stream, "[-HKEY_LOCAL_MACHINE\\%s]%s%s", kCountryKeyPath, kLineEnd, kLineEnd);
  return PrintRegistryKeys(effect.model, stream);
}

bool PrintRegistryKeys(const RegistryModel& model, FILE* stream) {
  return PrintKey(model, model.machine, stream);
}
