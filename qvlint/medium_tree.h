// The files and directories below a medium's directory on the disk that
// qvlint runs on, by the names that its C library opens them by: the bytes
// of the names on Linux, the ANSI code page's on Windows (as setup's calls
// see them there).
#ifndef QVLINT_MEDIUM_TREE_H
#define QVLINT_MEDIUM_TREE_H

#include <string>
#include <vector>

struct MediumTreeEntry {
  std::vector<std::string> names;  // below the medium's directory, outermost first
  std::string path;                // the path to open it by
  bool directory;
};

// Every entry below `dir`, each directory before what it holds; false, with
// why, when a directory can not be listed (the entries so far stay).
bool ListMediumTree(const std::string& dir, std::vector<MediumTreeEntry>* entries,
                    std::string* problem);

#endif
