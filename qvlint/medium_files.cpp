#include "medium_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include "profile.h"

namespace {

#ifdef _WIN32
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif

// The entry of `dir` whose name equals `name` without regard to letter case.
bool FindEntry(const std::string& dir, const std::string& name, std::string* found) {
  DIR* listing = opendir(dir.c_str());
  if (listing == nullptr) return false;
  bool matched = false;
  while (const dirent* entry = readdir(listing)) {
    if (SameNameIgnoringCase(entry->d_name, name)) {
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

FileKind FindMediumFile(const std::string& dir, const std::string& relative, std::string* found) {
  std::string path = dir;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t end = relative.find_first_of("\\/", start);
    if (end == std::string::npos) end = relative.size();
    const std::string part = relative.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    std::string entry;
    if (!FindEntry(path, part, &entry)) return kNoFile;
    path = JoinFilePath(path, entry);
  }
  *found = path;
  return KindOfPath(path);
}
