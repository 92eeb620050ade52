// Splitting the entries of the copy and launch lists into words.
#pragma once
#include <stddef.h>

// Bounds of a list entry in qvsetup.ini.
const size_t ListValueLimit = 255;  // characters of one value
const size_t ListNameLimit = 127;   // characters of a key name, a file name or a program name
const size_t ListWordSize = ListValueLimit + 1;  // a buffer that holds any word of a value

enum WordResult { NoMoreWords, WordRead, WordTooLong };

// Skips any run of the separator characters at *cursor, then copies the
// word up to the next separator into word (wordSize bytes) and moves
// *cursor past it. A word that does not fit is refused (WordTooLong, word
// empty) rather than cut.
WordResult NextWord(const char** cursor, const char* separators, char* word, size_t wordSize);
