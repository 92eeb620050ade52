// Texts of a file shown inside a finding: in quotation marks, with control
// characters and bytes beyond ASCII written as escapes, cut in the middle of
// a long text. And the one rule for every text that qvlint writes: a control
// byte (below 20 hex, or 7F) never goes out as it is, since a terminal would
// act on it; it is written as \xHH with upper-case digits.
#ifndef QVLINT_SHOWN_TEXT_H
#define QVLINT_SHOWN_TEXT_H

#include <cstddef>
#include <cstdio>

struct Shown {
  char text[168];  // room for 40 characters written as four-character escapes
};

// `length` characters from `text`.
Shown Show(const char* text, size_t length);

// The zero-terminated `text`.
Shown Show(const char* text);

// `text` with its control bytes escaped, into `out` (`size` bytes, at least
// 1); a text that does not fit is cut before an escape, never inside one.
void CopyEscapingControls(const char* text, char* out, size_t size);

// `text` to `stream`, its control bytes escaped.
void PrintEscapingControls(FILE* stream, const char* text);

#endif
