// Copying and deleting every file that matches a wildcard pattern.
#pragma once

// Copies every file of SourceDir that matches pattern into dir, each with
// CopySourceFile (one progress step each). No match copies nothing.
void CopyMatchingFiles(const char* dir, const char* pattern);

// Deletes every file of dir that matches pattern, read-only ones included.
// One progress step per match that exists, also when it can not be deleted
// (a directory, a file in use).
void DeleteMatchingFiles(const char* dir, const char* pattern);
