#include "shown_text.h"

#include <cstdio>
#include <cstring>

namespace {

const size_t kShownCharacters = 40;  // longer texts show their start and end

// Appends `text` when it fits before the closing quotation mark.
void PutRaw(Shown* shown, size_t* used, const char* text) {
  const size_t length = strlen(text);
  if (*used + length + 2 > sizeof shown->text) return;
  memcpy(shown->text + *used, text, length);
  *used += length;
}

// Appends `c`, escaped when it is a quotation mark, a control character or
// a byte of 7F hex and above (whose character depends on the code page).
// Backslashes stay as they are: paths read better so.
void Put(Shown* shown, size_t* used, char c) {
  char escaped[5] = {c, '\0'};
  const unsigned char u = static_cast<unsigned char>(c);
  if (c == '\n')
    strcpy(escaped, "\\n");
  else if (c == '\r')
    strcpy(escaped, "\\r");
  else if (c == '\t')
    strcpy(escaped, "\\t");
  else if (c == '"')
    strcpy(escaped, "\\\"");
  else if (u < 0x20 || u >= 0x7F)
    snprintf(escaped, sizeof escaped, "\\x%02X", u);
  PutRaw(shown, used, escaped);
}

}  // namespace

Shown Show(const char* text, size_t length) {
  Shown shown;
  size_t used = 0;
  shown.text[used++] = '"';
  const size_t half = kShownCharacters / 2;
  for (size_t i = 0; i < length; ++i) {
    if (length > kShownCharacters && i == half) {
      PutRaw(&shown, &used, "...");
      i = length - half;
    }
    Put(&shown, &used, text[i]);
  }
  shown.text[used++] = '"';
  shown.text[used] = '\0';
  return shown;
}

Shown Show(const char* text) { return Show(text, strlen(text)); }
