#include "medium_tree.h"

#ifdef _WIN32
#include <windows.h>

#include "medium_files.h"
#else
#include <filesystem>
#include <system_error>
#endif

#ifdef _WIN32

namespace {

// The C library's own walk would hand back UTF-8 names on Windows, which
// its fopen does not take: the ANSI calls list each directory.
bool ListBelow(const std::string& dir, const std::vector<std::string>& names,
               std::vector<MediumTreeEntry>* entries, std::string* problem) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(JoinFilePath(dir, "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) {
    *problem = dir + ": can not be listed (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  bool listed = true;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    MediumTreeEntry entry = {names, JoinFilePath(dir, name),
                             (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
    entry.names.push_back(name);
    entries->push_back(entry);
    if (entry.directory) listed = ListBelow(entry.path, entry.names, entries, problem);
  } while (listed && FindNextFileA(find, &found));
  FindClose(find);
  return listed;
}

}  // namespace

bool ListMediumTree(const std::string& dir, std::vector<MediumTreeEntry>* entries,
                    std::string* problem) {
  return ListBelow(dir, {}, entries, problem);
}

#else

bool ListMediumTree(const std::string& dir, std::vector<MediumTreeEntry>* entries,
                    std::string* problem) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::recursive_directory_iterator entry(dir, error), end; !error && entry != end;
       entry.increment(error)) {
    MediumTreeEntry each = {{}, entry->path().string(), entry->is_directory()};
    for (const fs::path& name : fs::relative(entry->path(), dir))
      each.names.push_back(name.string());
    entries->push_back(each);
  }
  if (error) *problem = dir + ": " + error.message();
  return !error;
}

#endif
