// Character classes and bounded string copies shared by the line parsers.
#ifndef QVSMZAD_TEXT_H
#define QVSMZAD_TEXT_H

#include <cstddef>

// Blank, tab, line feed, vertical tab, form feed or carriage return.
bool IsWhiteSpace(char c);

// Copies `length` characters of `source` and a terminator into `target`.
// Returns false, leaving `target` empty, when they do not fit in `capacity`.
bool CopyBounded(char* target, size_t capacity, const char* source, size_t length);

// Copies the zero-terminated `source`; false and empty `target` when too long.
bool CopyText(char* target, size_t capacity, const char* source);

#endif
