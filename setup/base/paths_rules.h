// Forming paths in fixed-size buffers. Every function refuses, rather than
// cuts, a path that would not fit: a cut path names another file.
#ifndef SETUP_BASE_PATHS_RULES_H
#define SETUP_BASE_PATHS_RULES_H

#include <stddef.h>

const size_t kSetupPathSize = 260;  // bytes of every path field, terminator included

// Suffixes of the directories derived from the Windows directory; the
// drivers directory's is the longest.
const char* const kDriversSuffix = "\\system32\\drivers";
const char* const kCabsSuffix = "\\Options\\CABS";
const char* const kInfSuffix = "\\INF";

// The bytes of the buffers in which one copy or rename forms its paths.
const size_t kCopyPathSize = 256;

// out = dir, a backslash only when dir is longer than 3 characters (a drive
// root such as "A:\" or a bare "A:" takes the name directly), then name.
// False, with out empty, when the result would not fit outSize.
bool JoinRootAware(char* out, size_t outSize, const char* dir, const char* name);

// out = "dir\name" (always a backslash); only one of the two given: a copy
// of that one; neither: false and nothing written. out holds kSetupPathSize
// bytes; false with out empty when the result would not fit.
bool JoinPath(char* out, const char* dir, const char* name);

// out = base followed by suffix; false with out empty when it would not fit.
bool AppendText(char* out, size_t outSize, const char* base, const char* suffix);

// out = text; false with out empty when it would not fit.
bool CopyWholeText(char* out, size_t outSize, const char* text);

// An ASCII letter in capitals, any other character as it is: the letter
// case that Windows' names and setup's words ignore.
inline char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The byte that fills a buffer before a call that may leave it unwritten.
const char kUnwrittenByte = '\x01';

// Whether the variables' expansion into out (outSize bytes, filled with
// kUnwrittenByte before the call) arrived whole: `returned` is the call's
// answer, the length with the terminator, more than outSize when it does
// not fit, 0 on failure. NT 4.0 answers with the bytes of its Unicode
// text, twice the length: then the terminator must stand at half of it.
bool ExpansionFits(const char* out, size_t outSize, unsigned long returned);

// The directory part of a full file path: everything before its last
// backslash ("E:\setup.exe" gives "E:"). False when there is no backslash or
// the result would not fit.
bool DirectoryOfFile(char* out, size_t outSize, const char* filePath);

// The root directory of the drive that holds a full path, as
// GetDiskFreeSpace takes it: "C:\" of "C:\WINDOWS\SYSTEM" (and of "C:"),
// "\\server\share\" of "\\server\share\dir". False, with out empty, for a
// path of no named drive (relative, "\dir", a server without a share, a
// device path "\\.\" or "\\?\") or a root that would not fit.
bool DriveRootOf(char* out, size_t outSize, const char* path);

// The characters of that root without its closing backslash ("C:",
// "\\server\share"); 0 for a path of no named drive.
size_t DriveRootLength(const char* path);

// Whether the Windows directory has at most longest characters: the caller
// derives the limit from what the run forms below it.
bool WindowsDirFits(const char* windowsDir, size_t longest);

#endif
