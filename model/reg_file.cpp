#include "reg_file.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace {

const unsigned long kTypeNumber = 4;

struct Line {
  std::string text;
  unsigned number;  // of its first physical line
};

std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

// The logical lines: a line that ends in a backslash goes on in the next.
std::vector<Line> LogicalLines(const std::string& text) {
  std::vector<Line> lines;
  bool continued = false;
  unsigned number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ++number;
    std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (continued)
      lines.back().text += line;
    else
      lines.push_back({line, number});
    continued = !line.empty() && line.back() == '\\' && lines.back().text[0] != '[';
    if (continued) lines.back().text.pop_back();
  }
  return lines;
}

bool SameLetters(const std::string& a, const char* b) {
  if (a.size() != strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
  }
  return true;
}

// The path below HKEY_LOCAL_MACHINE of a key header's name; false for
// another root.
bool MachinePath(const std::string& name, std::string* path) {
  const size_t backslash = name.find('\\');
  const std::string root = name.substr(0, backslash);
  if (!SameLetters(root, "HKEY_LOCAL_MACHINE") && !SameLetters(root, "HKLM")) return false;
  *path = backslash == std::string::npos ? std::string() : name.substr(backslash + 1);
  return true;
}

// A quoted string at *at (the opening mark), its escapes resolved; *at
// moves past the closing mark.
bool QuotedText(const std::string& line, size_t* at, std::string* text) {
  if (*at >= line.size() || line[*at] != '"') return false;
  text->clear();
  for (size_t i = *at + 1; i < line.size(); ++i) {
    if (line[i] == '"') {
      *at = i + 1;
      return true;
    }
    if (line[i] == '\\' && i + 1 < line.size()) {
      const char next = line[++i];
      *text += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    } else {
      *text += line[i];
    }
  }
  return false;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool ReadNumber(const std::string& text, int base, unsigned long* number) {
  if (text.empty() || text.size() > 8) return false;
  *number = 0;
  for (const char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0 || digit >= base) return false;
    *number = *number * static_cast<unsigned long>(base) + static_cast<unsigned long>(digit);
  }
  return true;
}

// One value line of the open key (nullptr: a key of another root).
bool ReadValueLine(const std::string& line, RegistryModel* registry, ModelKey* key) {
  std::string name;
  size_t at = 0;
  if (line[0] == '@')
    at = 1;
  else if (!QuotedText(line, &at, &name))
    return false;
  while (at < line.size() && isspace(static_cast<unsigned char>(line[at]))) ++at;
  if (at >= line.size() || line[at] != '=') return false;
  const std::string data = Trimmed(line.substr(at + 1));
  if (key == nullptr) return true;
  if (data == "-") {
    DeleteModelValue(*registry, key, name);
    return true;
  }
  unsigned long type;
  std::string bytes;
  if (!data.empty() && data[0] == '"') {
    size_t end = 0;
    if (!QuotedText(data, &end, &bytes) || end != data.size()) return false;
    type = kTypeString;
    bytes += '\0';
  } else if (data.compare(0, 6, "dword:") == 0) {
    unsigned long number;
    if (!ReadNumber(data.substr(6), 16, &number)) return false;
    type = kTypeNumber;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(number >> (8 * i) & 0xFF);
  } else if (data.compare(0, 4, "hex:") == 0) {
    type = kTypeBinary;
    if (!ReadHexBytes(data.substr(4), &bytes)) return false;
  } else if (data.compare(0, 4, "hex(") == 0) {
    const size_t close = data.find("):");
    if (close == std::string::npos || !ReadNumber(data.substr(4, close - 4), 16, &type) ||
        !ReadHexBytes(data.substr(close + 2), &bytes))
      return false;
  } else {
    return false;
  }
  ModelValue before;
  return SetModelValue(registry, key, name, type, bytes, 0, &before) == kPathUsable;
}

}  // namespace

bool ReadRegedit4(const std::string& text, RegistryModel* registry, unsigned* badLine) {
  bool header = false;
  ModelKey* key = nullptr;
  for (const Line& line : LogicalLines(text)) {
    *badLine = line.number;
    if (line.text.empty() || line.text[0] == ';') continue;
    if (!header) {
      if (line.text != "REGEDIT4") return false;
      header = true;
      continue;
    }
    if (line.text[0] == '[') {
      const size_t close = line.text.rfind(']');
      if (close == std::string::npos) return false;
      const bool removal = line.text[1] == '-';
      std::string path;
      key = nullptr;
      if (!MachinePath(line.text.substr(removal ? 2 : 1, close - (removal ? 2 : 1)), &path))
        continue;
      if (removal) {
        // The tree goes whatever the platform's own deletion would leave.
        ModelKey* removed = OpenModelKey(registry, &registry->machine, path.c_str()).key;
        if (removed != nullptr && removed != &registry->machine) {
          DeleteModelSubkeys(removed);
          DeleteModelKey(registry, &registry->machine, path.c_str());
        }
        continue;
      }
      key = CreateModelKey(registry, &registry->machine, path.c_str(), 0).key;
      if (key == nullptr) return false;
      continue;
    }
    if (!ReadValueLine(line.text, registry, key)) return false;
  }
  *badLine = 0;
  return header;
}

bool ReadHexBytes(const std::string& text, std::string* bytes) {
  bytes->clear();
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && (isspace(static_cast<unsigned char>(text[at])) || text[at] == ','))
      ++at;
    if (at == text.size()) break;
    if (at + 1 >= text.size() || HexDigit(text[at]) < 0 || HexDigit(text[at + 1]) < 0) return false;
    bytes->push_back(static_cast<char>(HexDigit(text[at]) * 16 + HexDigit(text[at + 1])));
    at += 2;
  }
  return true;
}

// ------------------------------------------------------------------ written

namespace {

const char kLineEnd[] = "\r\n";

// A name in a comment: its control bytes as \xHH, so that a terminal that
// shows the file does not act on them.
void PrintControlsEscaped(FILE* stream, const std::string& name) {
  for (const char c : name) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      fprintf(stream, "\\x%02X", byte);
    else
      fputc(c, stream);
  }
}

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
  PrintControlsEscaped(stream, name);
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

}  // namespace

std::string RegeditQuoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string HexText(const std::string& bytes, const char* separator) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (i > 0) hex += separator;
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

std::string RegeditHex(const char* kind, const std::string& bytes) {
  return kind + HexText(bytes, ",");
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

bool PrintRegistryKeys(const RegistryModel& model, FILE* stream) {
  return PrintKey(model, model.machine, stream);
}
