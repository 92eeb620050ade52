#include "standin_text.h"

#include <stdio.h>
#include <string.h>

bool CarriesModemName(const char* value) {
  return strstr(value, ModemName) != nullptr || strstr(value, EarlierModemName) != nullptr;
}

void NarrowText(char* out, size_t outSize, const wchar_t* text) {
  if (outSize == 0) return;
  size_t i = 0;
  for (; text && text[i] && i + 1 < outSize; ++i)
    out[i] = static_cast<unsigned long>(text[i]) > 0xFF ? '?' : static_cast<char>(text[i]);
  out[i] = '\0';
}

void AppendCut(char* out, size_t outSize, const char* text) {
  if (outSize == 0) return;
  size_t length = strnlen(out, outSize - 1);
  while (*text && length + 1 < outSize) out[length++] = *text++;
  out[length] = '\0';
}

namespace {

bool HasArguments(const char* line, size_t lineSize) {
  const size_t length = strnlen(line, lineSize);
  return length > 0 && line[length - 1] != '(';
}

}  // namespace

void BeginCallLine(char* line, size_t lineSize, const char* entry) {
  if (lineSize == 0) return;
  line[0] = '\0';
  AppendCut(line, lineSize, entry);
  AppendCut(line, lineSize, "(");
}

void AddTextArgument(char* line, size_t lineSize, const char* text) {
  if (HasArguments(line, lineSize)) AppendCut(line, lineSize, ", ");
  AppendCut(line, lineSize, "\"");
  AppendCut(line, lineSize, text);
  AppendCut(line, lineSize, "\"");
}

void AddNumberArgument(char* line, size_t lineSize, long number) {
  char digits[24];
  snprintf(digits, sizeof digits, "%ld", number);
  if (HasArguments(line, lineSize)) AppendCut(line, lineSize, ", ");
  AppendCut(line, lineSize, digits);
}

void EndCallLine(char* line, size_t lineSize, long result) {
  char digits[24];
  snprintf(digits, sizeof digits, "%ld", result);
  AppendCut(line, lineSize, ") = ");
  AppendCut(line, lineSize, digits);
}

void AddNote(char* line, size_t lineSize, const char* name, const char* value, bool quoted) {
  AppendCut(line, lineSize, " ");
  AppendCut(line, lineSize, name);
  AppendCut(line, lineSize, quoted ? "=\"" : "=");
  AppendCut(line, lineSize, value);
  if (quoted) AppendCut(line, lineSize, "\"");
}

void AddNumberNote(char* line, size_t lineSize, const char* name, long number) {
  char digits[24];
  snprintf(digits, sizeof digits, "%ld", number);
  AddNote(line, lineSize, name, digits, false);
}

namespace {

const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

const char* SkipToken(const char* p) {
  if (*p == '"') {
    const char* closing = strchr(p + 1, '"');
    return closing ? closing + 1 : p + strlen(p);
  }
  while (*p && *p != ' ' && *p != '\t') ++p;
  return p;
}

}  // namespace

void ArgumentAt(char* out, size_t outSize, const char* commandLine, int index) {
  if (outSize == 0) return;
  const char* p = SkipBlanks(SkipToken(commandLine));
  for (int skipped = 0; skipped < index; ++skipped) p = SkipBlanks(SkipToken(p));
  size_t length = 0;
  while (p[length] && p[length] != ' ' && p[length] != '\t' && length + 1 < outSize) {
    out[length] = p[length];
    ++length;
  }
  out[length] = '\0';
}

int InstanceName(char* out, size_t outSize, int n) {
  if (n < 0 || n > 9999 || outSize < 5) return 0;
  snprintf(out, outSize, "%04d", n);
  return 1;
}
