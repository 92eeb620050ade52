#include "shown_text.h"

#include <cstring>

namespace {

const size_t kShownCharacters = 40;  // longer texts show their start and end

// One byte as qvlint writes it: "\xHH" and the terminator at most.
struct WrittenByte {
  char text[5];
};

WrittenByte Escaped(unsigned char u) {
  WrittenByte written;
  snprintf(written.text, sizeof written.text, "\\x%02X", u);
  return written;
}

bool IsControlByte(unsigned char u) { return u < 0x20 || u == 0x7F; }

// A control byte escaped, any other byte as it is.
WrittenByte EscapingControls(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (IsControlByte(u)) return Escaped(u);
  return WrittenByte{{c, '\0'}};
}

// Appends `text` when it fits before the closing quotation mark.
void PutRaw(Shown* shown, size_t* used, const char* text) {
  const size_t length = strlen(text);
  if (*used + length + 2 > sizeof shown->text) return;
  memcpy(shown->text + *used, text, length);
  *used += length;
}

// Appends `c`, escaped when it is a quotation mark, a control character or
// a byte of 80 hex and above (whose character depends on the code page).
// Backslashes stay as they are: paths read better so.
void Put(Shown* shown, size_t* used, char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (c == '"')
    PutRaw(shown, used, "\\\"");
  else if (u >= 0x80)
    PutRaw(shown, used, Escaped(u).text);
  else
    PutRaw(shown, used, EscapingControls(c).text);
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

std::string EscapeControls(const char* text) {
  std::string escaped;
  for (const char* p = text; *p != '\0'; ++p) escaped += EscapingControls(*p).text;
  return escaped;
}

void PrintEscapingControls(FILE* stream, const char* text) {
  for (const char* p = text; *p != '\0'; ++p) fputs(EscapingControls(*p).text, stream);
}
