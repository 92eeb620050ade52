// Which sections of qvsetup.ini hold the copy and launch lists, and which
// key names of a section the profile reader delivered whole.
#pragma once
#include <stddef.h>

const size_t KeyListSize = 2048;  // bytes for the key names of one list section

// The copy list section of a platform class; null where no copy list exists
// (Windows 2000, an unknown platform).
const char* CopyListSection(unsigned char osClass);

// The launch list section of a platform class; null for an unknown platform.
const char* LaunchListSection(unsigned char osClass);

// The key names of a section arrive as NUL-terminated names one after the
// other; returned is the reader's result for a buffer of listSize bytes.
// When the names filled the buffer (returned is listSize - 2) the reader
// has cut the last one, which could then name another key: it is dropped.
// Returns how many bytes from the start hold whole names.
size_t WholeKeyListLength(const char* list, size_t returned, size_t listSize);
