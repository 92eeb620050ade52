// Plain existence tests and attribute resets on files and directories.
#pragma once

bool PathExists(const char* path);

// Clears read-only, hidden and system, so that the file can be overwritten
// or deleted.
void SetNormalAttributes(const char* path);
