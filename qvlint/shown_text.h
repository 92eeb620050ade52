// Texts of a file shown inside a finding: in quotation marks, with control
// characters and bytes beyond ASCII written as escapes, cut in the middle of
// a long text.
#ifndef QVLINT_SHOWN_TEXT_H
#define QVLINT_SHOWN_TEXT_H

#include <cstddef>

struct Shown {
  char text[168];  // room for 40 characters written as four-character escapes
};

// `length` characters from `text`.
Shown Show(const char* text, size_t length);

// The zero-terminated `text`.
Shown Show(const char* text);

#endif
