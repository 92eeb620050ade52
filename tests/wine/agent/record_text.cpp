#include "record_text.h"

#include <windows.h>

void WriteEscaped(FILE* out, const char* text) {
  for (const char* p = text; *p; ++p) {
    switch (*p) {
      case '\t':
        fputs("\\t", out);
        break;
      case '\n':
        fputs("\\n", out);
        break;
      case '\r':
        fputs("\\r", out);
        break;
      case '\\':
        fputs("\\\\", out);
        break;
      default:
        fputc(*p, out);
    }
  }
}

void WriteEscapedWide(FILE* out, const wchar_t* text) {
  static char utf8[8192];
  if (!WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr))
    utf8[0] = '\0';
  WriteEscaped(out, utf8);
}
