#include "fleet_report.h"

#include <dirent.h>

#include <algorithm>

#include "fleet_output.h"
#include "medium_files.h"
#include "shown_text.h"

namespace {

void SayUnreadable(FILE* err, const std::string& path, const char* why) {
  fprintf(err, "qvlint: %s: %s\n", EscapeControls(path.c_str()).c_str(), why);
}

// The regular files of dir, in the order of their names; false when it can
// not be listed.
bool FilesOfDirectory(const std::string& dir, std::vector<std::string>* files) {
  DIR* listing = opendir(dir.c_str());
  if (listing == nullptr) return false;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(listing)) {
    if (KindOfPath(JoinFilePath(dir, entry->d_name)) == kRegularFile)
      names.push_back(entry->d_name);
  }
  closedir(listing);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) files->push_back(JoinFilePath(dir, name));
  return true;
}

// Reads the log `path` into logs; false when it can not be read.
bool ReadLogFile(const std::string& path, std::vector<FleetLog>* logs, FILE* err) {
  FILE* stream = fopen(path.c_str(), "rb");
  if (stream == nullptr) {
    SayUnreadable(err, path, "can not be opened");
    return false;
  }
  FleetLog log = StartFleetLog(path);
  const bool read = ReadFleetLog(stream, &log);
  fclose(stream);
  if (!read) {
    SayUnreadable(err, path, "can not be read");
    return false;
  }
  logs->push_back(log);
  return true;
}

}  // namespace

int ReportFleet(const std::vector<std::string>& paths, bool json, FILE* out, FILE* err) {
  std::vector<std::string> files;
  bool readable = true;
  for (const std::string& path : paths) {
    const FileKind kind = KindOfPath(path);
    const size_t before = files.size();
    if (kind == kDirectoryFile && FilesOfDirectory(path, &files)) {
      if (files.size() > before) continue;
      SayUnreadable(err, path, "holds no file");
      readable = false;
      continue;
    }
    if (kind == kRegularFile) {
      files.push_back(path);
      continue;
    }
    SayUnreadable(err, path, kind == kNoFile ? "no such file or directory" : "can not be listed");
    readable = false;
  }
  std::vector<FleetLog> logs;
  for (const std::string& file : files) readable = ReadLogFile(file, &logs, err) && readable;
  if (json)
    PrintFleetJson(logs, out);
  else
    PrintFleetText(logs, out);
  const FleetCounts counts = CountFleet(logs);
  if (!readable) return kFleetUnusable;
  return counts.failed + counts.withoutEnd + counts.notLogs == 0 ? kFleetAllInstalled
                                                                 : kFleetNotAllInstalled;
}
