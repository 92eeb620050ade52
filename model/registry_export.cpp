#include "registry_export.h"

#include <cctype>
#include <cstdint>
#include <map>
#include <unordered_map>

#include "code_page.h"
#include "reg_file.h"

namespace {

const char kRegedit4[] = "REGEDIT4";
const char kVersion5[] = "Windows Registry Editor Version 5.00";

// The byte of each character of the Western code page, in which the
// machine's registry names and strings are kept.
const std::unordered_map<uint32_t, char>& WesternBytes() {
  static const std::unordered_map<uint32_t, char> bytes = [] {
    std::unordered_map<uint32_t, char> table;
    const CodePage page = OpenCodePage(kWesternCodePage);
    for (int byte = 0; byte < 256; ++byte) {
      const std::string one(1, static_cast<char>(byte));
      table.emplace(CodePageCharacters(page, one)[0].codePoint, one[0]);
    }
    return table;
  }();
  return bytes;
}

// UTF-16LE text in the Western code page; a character that it lacks becomes
// "?", as Windows converts it.
std::string AnsiOfUtf16(const std::string& bytes) {
  std::string text;
  for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
    uint32_t unit = static_cast<unsigned char>(bytes[at]) |
                    static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
    if (unit >= 0xD800 && unit < 0xDC00 && at + 3 < bytes.size()) {
      const uint32_t low = static_cast<unsigned char>(bytes[at + 2]) |
                           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 8;
      if (low >= 0xDC00 && low < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    const auto found = WesternBytes().find(unit);
    text += found != WesternBytes().end() ? found->second : '?';
  }
  return text;
}

std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

struct ExportLine {
  std::string text;
  unsigned physicalLines;
};

// The lines as the reader takes them: a line that ends in a backslash goes
// on in the next, unless it is a key's header.
std::vector<ExportLine> LogicalLines(const std::string& text) {
  std::vector<ExportLine> lines;
  bool continued = false;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (continued) {
      lines.back().text += line;
      ++lines.back().physicalLines;
    } else {
      lines.push_back({line, 1});
    }
    continued = !line.empty() && line.back() == '\\' && lines.back().text[0] != '[';
    if (continued) lines.back().text.pop_back();
  }
  return lines;
}

// Where the data of a value line starts, after its "="; npos for a line
// that is no value.
size_t DataStart(const std::string& line) {
  size_t at = 0;
  if (line[0] == '@') {
    at = 1;
  } else if (line[0] == '"') {
    for (at = 1; at < line.size() && line[at] != '"'; ++at) {
      if (line[at] == '\\') ++at;
    }
    ++at;
  } else {
    return std::string::npos;
  }
  while (at < line.size() && isspace(static_cast<unsigned char>(line[at]))) ++at;
  return at < line.size() && line[at] == '=' ? at + 1 : std::string::npos;
}

// A value line of a version 5.00 export whose data is a string of type 1, 2
// or 7 in UTF-16LE bytes, with the bytes of the ANSI text instead.
std::string AnsiValueLine(const std::string& line) {
  const size_t start = DataStart(line);
  if (start == std::string::npos) return line;
  const std::string data = Trimmed(line.substr(start));
  const std::string kind = data.substr(0, 7);
  std::string bytes;
  if ((kind != "hex(1):" && kind != "hex(2):" && kind != "hex(7):") ||
      !ReadHexBytes(data.substr(7), &bytes))
    return line;
  return line.substr(0, start) + RegeditHex(kind.c_str(), AnsiOfUtf16(bytes));
}

// The root of a key's header line in capitals: "HKEY_CURRENT_USER".
std::string RootOf(const std::string& header) {
  const size_t start = header.compare(0, 2, "[-") == 0 ? 2 : 1;
  const size_t end = header.find_first_of("\\]", start);
  std::string root = header.substr(start, end == std::string::npos ? end : end - start);
  for (char& c : root) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return root;
}

}  // namespace

bool ConvertRegistryExport(const std::string& bytes, MachineExport* converted,
                           std::string* problem) {
  const bool wide = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                    static_cast<unsigned char>(bytes[1]) == 0xFE;
  const std::string text = wide ? AnsiOfUtf16(bytes.substr(2)) : bytes;
  converted->regedit4.clear();
  converted->notes.clear();
  std::map<std::string, unsigned> passedOver;
  bool header = false, version5 = false;
  for (const ExportLine& line : LogicalLines(text)) {
    std::string out = line.text;
    if (out.empty() || out[0] == ';') {
      // a comment or an empty line stays as it is
    } else if (!header) {
      version5 = out == kVersion5;
      if (out != kRegedit4 && !version5) {
        *problem = "its first line is neither \"REGEDIT4\" nor \"" + std::string(kVersion5) + "\"";
        return false;
      }
      header = true;
      out = kRegedit4;
    } else if (out[0] == '[') {
      const std::string root = RootOf(out);
      if (root != "HKEY_LOCAL_MACHINE" && root != "HKLM") ++passedOver[root];
    } else if (version5) {
      out = AnsiValueLine(out);
    }
    converted->regedit4 += out + '\n' + std::string(line.physicalLines - 1, '\n');
  }
  if (!header) {
    *problem = "it holds no registry export";
    return false;
  }
  for (const auto& root : passedOver) {
    converted->notes.push_back(std::to_string(root.second) + (root.second == 1 ? " key" : " keys") +
                               " of " + root.first +
                               " passed over: only HKEY_LOCAL_MACHINE counts");
  }
  return true;
}
