#include "medium_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include "code_page.h"

namespace {

#ifdef _WIN32
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif

// The entry of `dir` whose Windows name is `name`.
bool FindEntry(const std::string& dir, const std::string& name, unsigned codePage,
               std::string* found) {
  DIR* listing = opendir(dir.c_str());
  if (listing == nullptr) return false;
  const CodePage page = OpenCodePage(codePage);
  const std::u32string wanted = FoldedCodePoints(page, name);
  bool matched = false;
  while (const dirent* entry = readdir(listing)) {
    std::string windowsName;
    if (WindowsNameOf(entry->d_name, codePage, &windowsName) &&
        FoldedCodePoints(page, windowsName) == wanted) {
      *found = entry->d_name;
      matched = true;
      break;
    }
  }
  closedir(listing);
  return matched;
}

}  // namespace

FileKind KindOfPath(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return kNoFile;
  return S_ISDIR(status.st_mode) ? kDirectoryFile : kRegularFile;
}

std::string JoinFilePath(const std::string& dir, const std::string& name) {
  if (dir.empty() || dir.back() == '/' || dir.back() == '\\') return dir + name;
  return dir + kSeparator + name;
}

bool WindowsNameOf(const std::string& diskName, unsigned codePage, std::string* windowsName) {
  std::u32string codePoints;
  if (!DecodeUtf8(diskName, &codePoints)) {
    *windowsName = diskName;
    return true;
  }
  return CodePageText(codePage, codePoints, windowsName);
}

bool SameWindowsName(unsigned codePage, const std::string& a, const std::string& b) {
  const CodePage page = OpenCodePage(codePage);
  return FoldedCodePoints(page, a) == FoldedCodePoints(page, b);
}

FileKind FindMediumFile(const std::string& dir, const std::string& relative, unsigned codePage,
                        std::string* found) {
  std::string path = dir;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t end = relative.find_first_of("\\/", start);
    if (end == std::string::npos) end = relative.size();
    const std::string part = relative.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    std::string entry;
    if (!FindEntry(path, part, codePage, &entry)) return kNoFile;
    path = JoinFilePath(path, entry);
  }
  *found = path;
  return KindOfPath(path);
}
