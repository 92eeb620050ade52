// Files of a medium, found as Windows finds them for setup: by their names
// in the target's ANSI code page, without regard to letter case. This
// computer's disk holds the names as UTF-8; qvsetup.ini names them in the
// code page.
#ifndef QVLINT_MEDIUM_FILES_H
#define QVLINT_MEDIUM_FILES_H

#include <string>

enum FileKind { kNoFile, kRegularFile, kDirectoryFile };

// A medium's directory on this computer and the target's ANSI code page,
// in which setup names the medium's files.
struct MediumDir {
  std::string path;
  unsigned codePage;
};

FileKind KindOfPath(const std::string& path);

// `name` put after `dir` with the separator of this system.
std::string JoinFilePath(const std::string& dir, const std::string& name);

// The name under which Windows shows a name of this computer's disk to a
// program of the code page: a UTF-8 name in the code page, a name that is
// no UTF-8 as its bytes. False for a name with a character that the code
// page lacks: Windows shows it under another name, which no name of the
// code page reaches ("?" stands for the character in `windowsName`).
bool WindowsNameOf(const std::string& diskName, unsigned codePage, std::string* windowsName);

// Whether two names of the code page name the same file, their letters
// folded as Unicode, as NT compares names.
bool SameWindowsName(unsigned codePage, const std::string& a, const std::string& b);

// Looks up `relative` (in the code page) below `dir`; its parts are
// separated by backslashes (or slashes). `found` receives the path with the
// names as they are on disk.
FileKind FindMediumFile(const std::string& dir, const std::string& relative, unsigned codePage,
                        std::string* found);

#endif
