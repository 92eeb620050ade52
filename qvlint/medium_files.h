// Files of a medium, found as Windows finds them: without regard to letter
// case.
#ifndef QVLINT_MEDIUM_FILES_H
#define QVLINT_MEDIUM_FILES_H

#include <string>

enum FileKind { kNoFile, kRegularFile, kDirectoryFile };

FileKind KindOfPath(const std::string& path);

// `name` put after `dir` with the separator of this system.
std::string JoinFilePath(const std::string& dir, const std::string& name);

// Looks up `relative` below `dir`; its parts are separated by backslashes
// (or slashes). `found` receives the path with the names as they are on disk.
FileKind FindMediumFile(const std::string& dir, const std::string& relative, std::string* found);

#endif
