#include "effect_output.h"

#include "shown_text.h"

namespace {

const char kLineEnd[] = "\r\n";

bool HoldsLineBreak(const std::string& name) {
  return name.find_first_of("\r\n") != std::string::npos;
}

std::string ValueNameText(const std::string& name) {
  return name.empty() ? "@" : RegeditQuoted(name);
}

std::string DataText(const ModelValue& value) {
  if (value.type == kTypeString) {
    // The stored string ends in its terminator, which regedit adds again.
    std::string text = value.data;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return RegeditQuoted(text);
  }
  std::string hex = "hex:";
  static const char kDigits[] = "0123456789abcdef";
  for (size_t i = 0; i < value.data.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(value.data[i]);
    if (i > 0) hex += ',';
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
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
// removed and no later line wrote again.
void PrintValues(const ModelKey& key, FILE* stream) {
  for (const ModelValue& value : key.values) {
    fprintf(stream, "%s=%s%s", ValueNameText(value.name).c_str(), DataText(value).c_str(),
            kLineEnd);
  }
  std::vector<std::string> removed;
  for (const std::string& name : key.deletedValues) {
    bool listed = false;
    for (const ModelValue& value : key.values)
      listed = listed || SameRegistryName(value.name, name);
    for (const std::string& earlier : removed) listed = listed || SameRegistryName(earlier, name);
    if (listed) continue;
    removed.push_back(name);
    fprintf(stream, "%s=-%s", ValueNameText(name).c_str(), kLineEnd);
  }
  fputs(kLineEnd, stream);
}

bool PrintKey(const ModelKey& key, FILE* stream) {
  bool expressible = true;
  if (key.parent != nullptr && HoldsLineBreak(key.name)) {
    fputs("; the key ", stream);
    PrintEscapingControls(stream, FullKeyName(&key).c_str());
    fprintf(stream, " holds a line break, which a REGEDIT4 file can not express%s", kLineEnd);
    return false;
  }
  if (key.parent == nullptr) {
    // Values of HKEY_LOCAL_MACHINE itself: "[HKEY_LOCAL_MACHINE\]" opens it.
    if (!key.values.empty() || !key.deletedValues.empty()) {
      fprintf(stream, "[%s\\]%s", key.name.c_str(), kLineEnd);
      PrintValues(key, stream);
    }
  } else if (ShowsItself(key)) {
    fprintf(stream, "[%s]%s", FullKeyName(&key).c_str(), kLineEnd);
    PrintValues(key, stream);
  }
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys) {
    expressible = PrintKey(*subkey, stream) && expressible;
  }
  return expressible;
}

}  // namespace

std::string RegeditQuoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    switch (c) {
      case '\\':
        quoted += "\\\\";
        break;
      case '"':
        quoted += "\\\"";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\n':
        quoted += "\\n";
        break;
      default:
        quoted += c;
    }
  }
  return quoted + "\"";
}

bool PrintCountryEffect(const CountryEffect& effect, FILE* stream) {
  fprintf(stream, "REGEDIT4%s%s", kLineEnd, kLineEnd);
  fprintf(stream, "[-HKEY_LOCAL_MACHINE\\%s]%s%s", kCountryKeyPath, kLineEnd, kLineEnd);
  return PrintKey(effect.model.machine, stream);
}
