// Forming paths in fixed-size buffers. Every function refuses, rather than
// cuts, a path that would not fit: a cut path names another file.
#pragma once
#include <stddef.h>

const size_t SetupPathSize = 260;  // bytes of every path field, terminator included

// Suffix of the longest directory derived from the Windows directory.
const char* const DriversSuffix = "\\system32\\drivers";

// out = dir, a backslash only when dir is longer than 3 characters (a drive
// root such as "A:\" or a bare "A:" takes the name directly), then name.
// Returns 1, or 0 with out empty when the result would not fit outSize.
int JoinRootAware(char* out, size_t outSize, const char* dir, const char* name);

// out = "dir\name" (always a backslash); only one of the two given: a copy
// of that one; neither: 0 and nothing written. out holds SetupPathSize
// bytes; 0 with out empty when the result would not fit.
int JoinPath(char* out, const char* dir, const char* name);

// out = base followed by suffix; 0 with out empty when it would not fit.
int AppendText(char* out, size_t outSize, const char* base, const char* suffix);

// The directory part of a full file path: everything before its last
// backslash ("E:\setup.exe" gives "E:"). 0 when there is no backslash or
// the result would not fit.
int DirectoryOfFile(char* out, size_t outSize, const char* filePath);

// Whether every directory derived from this Windows directory fits its
// SetupPathSize field (the longest suffix is DriversSuffix).
bool WindowsDirFits(const char* windowsDir);
