// Texts of a file shown inside a finding: in quotation marks, with control
// characters and bytes beyond ASCII written as escapes, cut in the middle of
// a long text. And the one rule for every text that qvlint writes: a control
// byte (below 20 hex, or 7F) never goes out as it is, since a terminal would
// act on it; it is written as \xHH with upper-case digits.
#ifndef QVLINT_SHOWN_TEXT_H
#define QVLINT_SHOWN_TEXT_H

#include <cstddef>
#include <cstdio>
#include <string>

struct Shown {
  char text[168];  // room for 40 characters written as four-character escapes
};

// `length` characters from `text`.
Shown Show(const char* text, size_t length);

// The zero-terminated `text`.
Shown Show(const char* text);

// `text` with its control bytes escaped.
std::string EscapeControls(const char* text);

// `text` to `stream`, its control bytes escaped.
void PrintEscapingControls(FILE* stream, const char* text);

#endif
