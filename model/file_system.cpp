#include "file_system.h"

#include <algorithm>
#include <cstring>

namespace {

// The longest path that the ANSI file calls take: they widen it into a
// buffer of the thread that holds 260 characters and the terminator.
const size_t kLongestFilePath = 260;
// The longest name of one part.
const size_t kLongestFileName = 255;

// Letters of the Western code page folded to capitals, as the file system
// compares names.
unsigned char FoldedByte(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 0x10);
  if (c == 0xFF) return 0x9F;
  return c;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsForbiddenInName(unsigned char c) { return c < 0x20 || strchr("<>:\"|?*", c) != nullptr; }

// Windows drops the dots and blanks at the end of a name.
std::string WithoutTrailingDots(const std::string& name) {
  if (name == "." || name == "..") return name;
  size_t end = name.size();
  while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' ')) --end;
  return name.substr(0, end);
}

bool AddName(const std::string& part, std::vector<std::string>* names, SystemStatus* status) {
  const std::string name = WithoutTrailingDots(part);
  if (part.empty() || part == ".") return true;
  if (part == "..") {
    if (!names->empty()) names->pop_back();
    return true;
  }
  if (name.empty() || name.size() > kLongestFileName) {
    *status = kStatusInvalidName;
    return false;
  }
  for (const char c : name) {
    if (IsForbiddenInName(static_cast<unsigned char>(c))) {
      *status = kStatusInvalidName;
      return false;
    }
  }
  names->push_back(name);
  return true;
}

// The text of a path that starts at the root of C: ("\..." or "C:\..."),
// with a relative path put after the current directory.
bool AbsoluteText(const char* path, const std::string& currentDir, std::string* text) {
  const bool drive = isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
  if (drive && FoldedByte(static_cast<unsigned char>(path[0])) != 'C') return false;
  const char* rest = drive ? path + 2 : path;
  if (IsSeparator(rest[0])) {
    if (!drive && IsSeparator(rest[1])) return false;  // a network path
    *text = rest;
  } else {
    *text = currentDir.substr(2) + "\\" + rest;
  }
  return true;
}

int CompareFolded(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = FoldedByte(static_cast<unsigned char>(a[i]));
    const unsigned char y = FoldedByte(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// The marks of FindFirstFile's DOS rules, into which the pattern's * ? and
// . are turned where they stand before or after a dot.
const char kDosStar = '<';      // up to the name's last dot
const char kDosQuestion = '>';  // one character, or none at a dot or the end
const char kDosDot = '"';       // a dot, or nothing at the end

std::string DosPattern(const std::string& pattern) {
  if (pattern == "*.*") return "*";
  std::string dos = pattern;
  for (size_t i = 0; i < dos.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (pattern[i] == '?')
      dos[i] = kDosQuestion;
    else if (pattern[i] == '*' && next == '.')
      dos[i] = kDosStar;
    else if (pattern[i] == '.' && (next == '?' || next == '*' || next == '\0'))
      dos[i] = kDosDot;
  }
  return dos;
}

bool MatchFrom(const char* pattern, const char* name) {
  switch (*pattern) {
    case '\0':
      return *name == '\0';
    case '*':
      for (const char* rest = name;; ++rest) {
        if (MatchFrom(pattern + 1, rest)) return true;
        if (*rest == '\0') return false;
      }
    case kDosStar: {
      const char* lastDot = strrchr(name, '.');
      const char* limit = lastDot != nullptr ? lastDot : name + strlen(name);
      for (const char* rest = name; rest <= limit; ++rest) {
        if (MatchFrom(pattern + 1, rest)) return true;
      }
      return false;
    }
    case kDosQuestion:
      if (*name != '\0' && *name != '.') return MatchFrom(pattern + 1, name + 1);
      while (*pattern == kDosQuestion) ++pattern;
      return MatchFrom(pattern, name);
    case kDosDot:
      if (*name == '.') return MatchFrom(pattern + 1, name + 1);
      return *name == '\0' && MatchFrom(pattern + 1, name);
    default:
      return *name != '\0' &&
             FoldedByte(static_cast<unsigned char>(*pattern)) ==
                 FoldedByte(static_cast<unsigned char>(*name)) &&
             MatchFrom(pattern + 1, name + 1);
  }
}

bool IsLegalShortName(const std::string& name) {
  if (name == "." || name == "..") return true;
  const size_t dot = name.find('.');
  const size_t base = dot == std::string::npos ? name.size() : dot;
  if (base == 0 || base > 8) return false;
  if (dot != std::string::npos &&
      (name.size() - dot - 1 > 3 || name.find('.', dot + 1) != std::string::npos))
    return false;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) > 0x7F || strchr(" +,;=[]", c) != nullptr) return false;
  }
  return true;
}

// The letters of a long name that its 8.3 form keeps: no blanks or dots,
// characters that an 8.3 name does not take as "_", in capitals.
std::string ShortLetters(const std::string& text, size_t longest) {
  std::string letters;
  for (const char c : text) {
    if (letters.size() == longest) break;
    if (c == ' ' || c == '.') continue;
    letters += strchr("+,;=[]", c) != nullptr ? '_' : c;
  }
  return FileNameCapitals(letters);
}

// A character of a long name as the test platform's 8.3 alias takes it:
// in capitals, or "_" for one that no alias holds.
char HashedAliasLetter(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  if (byte > 0x7F || strchr("*?<>|\"+=,;[] ~.", byte) != nullptr) return '_';
  return static_cast<char>(FoldedByte(byte));
}

// The test platform's alias of a long name: its hash runs over the name's
// characters (Western code page, letters in small) two at a time.
std::string HashedShortName(const std::string& name) {
  static const char kHashLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  std::vector<unsigned> small;
  for (const char c : name) {
    const unsigned byte = static_cast<unsigned char>(c);
    const bool capital = (byte >= 'A' && byte <= 'Z') ||
                         (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7);
    small.push_back(capital ? byte + 0x20 : byte);
  }
  unsigned hash = 0xBEEF;
  for (size_t i = 0; i + 1 < small.size(); ++i)
    hash = ((hash << 3) ^ (hash >> 5) ^ small[i] ^ (small[i + 1] << 8)) & 0xFFFF;
  if (!small.empty()) hash = ((hash << 3) ^ (hash >> 5) ^ small.back()) & 0xFFFF;
  // The extension starts at the last dot that is neither first nor last.
  size_t extension = std::string::npos;
  for (size_t i = 1; i + 1 < name.size(); ++i) {
    if (name[i] == '.') extension = i;
  }
  std::string alias;
  for (size_t i = 0; i < 4 && i < name.size() && i != extension; ++i)
    alias += HashedAliasLetter(name[i]);
  alias.append(5 - alias.size(), '~');
  alias += kHashLetters[(hash >> 10) & 0x1F];
  alias += kHashLetters[(hash >> 5) & 0x1F];
  alias += kHashLetters[hash & 0x1F];
  if (extension != std::string::npos) {
    alias += '.';
    for (size_t i = extension + 1; i < name.size() && i < extension + 4; ++i)
      alias += HashedAliasLetter(name[i]);
  }
  return alias;
}

std::string ShortNameIn(const SimulatedFile& directory, const SimulatedFile& file,
                        ShortNameForm form) {
  if (IsLegalShortName(file.name))
    return form == kShortNamesNumberedCapitals ? FileNameCapitals(file.name) : file.name;
  if (form == kShortNamesHashed) return HashedShortName(file.name);
  // The numbers go to the entries in their order of creation.
  std::vector<std::string> taken;
  for (const std::unique_ptr<SimulatedFile>& entry : directory.entries) {
    const std::string& name = entry->name;
    if (IsLegalShortName(name)) continue;
    const size_t dot = name.rfind('.');
    const std::string base = ShortLetters(name.substr(0, dot), 6);
    const std::string extension = dot == std::string::npos ? ""
                                                           : ShortLetters(name.substr(dot + 1), 3);
    std::string shortName;
    for (unsigned number = 1;; ++number) {
      shortName = base + "~" + std::to_string(number) + (extension.empty() ? "" : ".");
      shortName += extension;
      bool used = false;
      for (const std::string& earlier : taken) used = used || SameFileName(earlier, shortName);
      for (const std::unique_ptr<SimulatedFile>& other : directory.entries)
        used = used || SameFileName(other->name, shortName);
      if (!used) break;
    }
    if (entry.get() == &file) return shortName;
    taken.push_back(shortName);
  }
  return file.name;
}

}  // namespace

bool SameFileName(const std::string& a, const std::string& b) { return CompareFolded(a, b) == 0; }

std::string FileNameCapitals(std::string name) {
  for (char& c : name) c = static_cast<char>(FoldedByte(static_cast<unsigned char>(c)));
  return name;
}

namespace {

void CopyEntry(const SimulatedFile& from, SimulatedFile* to) {
  to->name = from.name;
  to->directory = from.directory;
  to->attributes = from.attributes;
  to->content = from.content;
  to->heldByOther = from.heldByOther;
  to->heldUnshared = from.heldUnshared;
  to->damaged = from.damaged;
  to->damagedAt = from.damagedAt;
  to->openByRun = from.openByRun;
  to->entries.clear();
  for (const std::unique_ptr<SimulatedFile>& entry : from.entries) {
    std::unique_ptr<SimulatedFile> copy(new SimulatedFile);
    copy->parent = to;
    CopyEntry(*entry, copy.get());
    to->entries.push_back(std::move(copy));
  }
}

}  // namespace

void CopyDisk(const SimulatedDisk& from, SimulatedDisk* to) {
  to->shortNames = from.shortNames;
  to->capacity = from.capacity;
  to->used = from.used;
  to->root.parent = nullptr;
  CopyEntry(from.root, &to->root);
}

void StartDisk(SimulatedDisk* disk, unsigned long long capacity, ShortNameForm shortNames) {
  disk->root.name = "C:";
  disk->root.directory = true;
  disk->root.attributes = kAttributeDirectory;
  disk->root.content.clear();
  disk->root.parent = nullptr;
  disk->root.entries.clear();
  disk->root.heldByOther = false;
  disk->root.heldUnshared = false;
  disk->root.damaged = false;
  disk->root.damagedAt = 0;
  disk->root.openByRun = 0;
  disk->capacity = capacity;
  disk->used = 0;
  disk->shortNames = shortNames;
}

SystemStatus SplitFilePath(const char* path, const std::string& currentDir,
                           std::vector<std::string>* names) {
  names->clear();
  if (strlen(path) > kLongestFilePath) return kStatusFilenameTooLong;
  std::string text;
  if (path[0] == '\0' || !AbsoluteText(path, currentDir, &text)) return kStatusPathNotFound;
  SystemStatus status = kStatusSuccess;
  size_t start = 0;
  for (size_t at = 0; at <= text.size(); ++at) {
    if (at < text.size() && !IsSeparator(text[at])) continue;
    if (!AddName(text.substr(start, at - start), names, &status)) return status;
    start = at + 1;
  }
  return kStatusSuccess;
}

std::vector<std::string> DrivePathNames(const std::string& path) {
  std::vector<std::string> names;
  if (SplitFilePath(path.c_str(), "C:\\", &names) != kStatusSuccess) names.clear();
  return names;
}

SimulatedFile* FindEntry(const SimulatedDisk& disk, const SimulatedFile& directory,
                         const std::string& name) {
  for (const std::unique_ptr<SimulatedFile>& entry : directory.entries) {
    if (SameFileName(entry->name, name)) return entry.get();
  }
  // Every alias holds a "~"; no other name needs the slower look.
  if (name.find('~') == std::string::npos || !IsLegalShortName(name)) return nullptr;
  for (const std::unique_ptr<SimulatedFile>& entry : directory.entries) {
    if (SameFileName(ShortNameIn(directory, *entry, disk.shortNames), name)) return entry.get();
  }
  return nullptr;
}

SimulatedFile* FindParent(SimulatedDisk* disk, const std::vector<std::string>& names,
                          SystemStatus* status) {
  SimulatedFile* directory = &disk->root;
  for (size_t i = 0; i + 1 < names.size(); ++i) {
    directory = FindEntry(*disk, *directory, names[i]);
    if (directory == nullptr || !directory->directory) {
      *status = kStatusPathNotFound;
      return nullptr;
    }
  }
  *status = kStatusSuccess;
  return directory;
}

SimulatedFile* FindFile(SimulatedDisk* disk, const std::vector<std::string>& names,
                        SystemStatus* status) {
  if (names.empty()) {
    *status = kStatusSuccess;
    return &disk->root;
  }
  SimulatedFile* directory = FindParent(disk, names, status);
  if (directory == nullptr) return nullptr;
  SimulatedFile* file = FindEntry(*disk, *directory, names.back());
  *status = file != nullptr ? kStatusSuccess : kStatusFileNotFound;
  return file;
}

SystemStatus WriteContent(SimulatedDisk* disk, SimulatedFile* file, const std::string& content) {
  disk->used -= file->content.size();
  file->content.clear();
  return AppendContent(disk, file, content.data(), content.size());
}

SystemStatus AppendContent(SimulatedDisk* disk, SimulatedFile* file, const char* data,
                           size_t size) {
  size_t fits = size;
  if (disk->capacity > 0) {
    const unsigned long long room = disk->capacity > disk->used ? disk->capacity - disk->used : 0;
    if (fits > room) fits = static_cast<size_t>(room);
  }
  file->content.append(data, fits);
  disk->used += fits;
  return fits == size ? kStatusSuccess : kStatusDiskFull;
}

SimulatedFile* AddEntry(SimulatedFile* directory, const std::string& name, bool isDirectory) {
  std::unique_ptr<SimulatedFile> entry(new SimulatedFile);
  entry->name = name;
  entry->directory = isDirectory;
  entry->attributes = isDirectory ? kAttributeDirectory : kAttributeArchive;
  entry->parent = directory;
  entry->heldByOther = false;
  entry->heldUnshared = false;
  entry->damaged = false;
  entry->damagedAt = 0;
  entry->openByRun = 0;
  directory->entries.push_back(std::move(entry));
  return directory->entries.back().get();
}

void RemoveEntry(SimulatedDisk* disk, SimulatedFile* file) {
  disk->used -= file->content.size();
  std::vector<std::unique_ptr<SimulatedFile>>& siblings = file->parent->entries;
  siblings.erase(
      std::find_if(siblings.begin(), siblings.end(),
                   [file](const std::unique_ptr<SimulatedFile>& f) { return f.get() == file; }));
}

void MoveEntry(SimulatedFile* file, SimulatedFile* directory, const std::string& name) {
  std::vector<std::unique_ptr<SimulatedFile>>& siblings = file->parent->entries;
  auto at =
      std::find_if(siblings.begin(), siblings.end(),
                   [file](const std::unique_ptr<SimulatedFile>& f) { return f.get() == file; });
  std::unique_ptr<SimulatedFile> moved = std::move(*at);
  siblings.erase(at);
  moved->name = name;
  moved->parent = directory;
  directory->entries.push_back(std::move(moved));
}

SimulatedFile* MakeDirectories(SimulatedDisk* disk, const std::vector<std::string>& names) {
  SimulatedFile* directory = &disk->root;
  for (const std::string& name : names) {
    SimulatedFile* next = FindEntry(*disk, *directory, name);
    if (next == nullptr) next = AddEntry(directory, name, true);
    if (!next->directory) return nullptr;
    directory = next;
  }
  return directory;
}

bool MatchesPattern(const std::string& pattern, const std::string& name) {
  const std::string dos = DosPattern(pattern);
  return MatchFrom(dos.c_str(), name.c_str());
}

std::vector<std::string> MatchEntries(const SimulatedDisk& disk, const SimulatedFile& directory,
                                      const std::string& pattern) {
  const std::string dos = DosPattern(pattern);
  std::vector<std::string> names;
  if (directory.parent != nullptr) {
    for (const char* alias : {".", ".."}) {
      if (MatchFrom(dos.c_str(), alias)) names.push_back(alias);
    }
  }
  std::vector<const SimulatedFile*> entries;
  for (const std::unique_ptr<SimulatedFile>& entry : directory.entries) {
    if (MatchFrom(dos.c_str(), entry->name.c_str()) ||
        MatchFrom(dos.c_str(), ShortNameIn(directory, *entry, disk.shortNames).c_str()))
      entries.push_back(entry.get());
  }
  std::sort(entries.begin(), entries.end(), [](const SimulatedFile* a, const SimulatedFile* b) {
    return CompareFolded(a->name, b->name) < 0;
  });
  for (const SimulatedFile* entry : entries) names.push_back(entry->name);
  return names;
}

std::string ShortPathOf(const SimulatedDisk& disk, const SimulatedFile& file) {
  if (file.parent == nullptr) return file.name + "\\";
  const std::string parent = ShortPathOf(disk, *file.parent);
  const std::string name = ShortNameIn(*file.parent, file, disk.shortNames);
  return parent.back() == '\\' ? parent + name : parent + "\\" + name;
}

std::string FullFilePath(const SimulatedFile& file) {
  if (file.parent == nullptr) return file.name + "\\";
  const std::string parent = FullFilePath(*file.parent);
  return parent.back() == '\\' ? parent + file.name : parent + "\\" + file.name;
}
