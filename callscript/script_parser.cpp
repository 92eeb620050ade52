#include "script_parser.h"

#include <stdio.h>
#include <string.h>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsWordCharacter(char c) { return IsWordStart(c) || IsDigit(c); }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Fail(char* error, size_t errorSize, const char* what, size_t column) {
  snprintf(error, errorSize, "%s at column %u", what, static_cast<unsigned>(column + 1));
  return false;
}

// A number at *at: decimal, or hexadecimal after 0x; at most 32 bits.
bool ReadNumber(const char* line, size_t* at, unsigned long* number) {
  size_t i = *at;
  unsigned long long value = 0;
  const bool hex = line[i] == '0' && (line[i + 1] == 'x' || line[i + 1] == 'X');
  if (hex) i += 2;
  const size_t first = i;
  for (;; ++i) {
    const int digit = hex ? HexDigit(line[i]) : (IsDigit(line[i]) ? line[i] - '0' : -1);
    if (digit < 0) break;
    value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFull) return false;
  }
  if (i == first) return false;
  *number = static_cast<unsigned long>(value);
  *at = i;
  return true;
}

// A quoted string at *at, decoded into bytes from *used on.
bool ReadString(const char* line, size_t* at, ScriptLine* parsed, size_t* used, Token* token,
                char* error, size_t errorSize) {
  size_t i = *at + 1;
  token->text = parsed->bytes + *used;
  size_t length = 0;
  for (;;) {
    char c = line[i];
    if (c == '\0') return Fail(error, errorSize, "unterminated string", *at);
    if (c == '"') break;
    if (c == '\\') {
      const char e = line[i + 1];
      if (e == 'r' || e == 'n' || e == 't' || e == '\\' || e == '"') {
        c = e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e;
        i += 2;
      } else if (e == 'x' && HexDigit(line[i + 2]) >= 0 && HexDigit(line[i + 3]) >= 0) {
        c = static_cast<char>(HexDigit(line[i + 2]) * 16 + HexDigit(line[i + 3]));
        i += 4;
      } else {
        return Fail(error, errorSize, "unknown escape", i);
      }
    } else {
      ++i;
    }
    // Every character of the line yields at most one byte.
    if (*used + length >= sizeof parsed->bytes) return Fail(error, errorSize, "line too long", i);
    parsed->bytes[*used + length++] = c;
  }
  // Terminated, as the calls take it; the quotes leave room for it.
  if (*used + length >= sizeof parsed->bytes) return Fail(error, errorSize, "line too long", i);
  parsed->bytes[*used + length] = '\0';
  token->kind = kTokenString;
  token->length = length;
  *used += length + 1;
  *at = i + 1;
  return true;
}

}  // namespace

bool ParseScriptLine(const char* line, ScriptLine* parsed, char* error, size_t errorSize) {
  parsed->count = 0;
  parsed->isStep = false;
  if (strlen(line) > kMaxLineLength) return Fail(error, errorSize, "line too long", kMaxLineLength);
  size_t i = 0, used = 0;
  while (IsBlank(line[i])) ++i;
  if (line[i] == '\0' || line[i] == '#') return true;
  parsed->isStep = true;
  while (line[i] != '\0') {
    if (parsed->count == kMaxTokens) return Fail(error, errorSize, "too many arguments", i);
    Token* token = &parsed->tokens[parsed->count];
    token->number = token->second = 0;
    const size_t start = i;
    const char c = line[i];
    if (c == '"') {
      if (!ReadString(line, &i, parsed, &used, token, error, errorSize)) return false;
    } else if (c == '#') {
      ++i;
      token->kind = kTokenHandle;
      if (!IsDigit(line[i]) || !ReadNumber(line, &i, &token->number) || token->number == 0)
        return Fail(error, errorSize, "a step number expected after #", start);
    } else if (IsDigit(c)) {
      token->kind = kTokenNumber;
      if (!ReadNumber(line, &i, &token->number))
        return Fail(error, errorSize, "bad or too large number", start);
      if (line[i] == '/') {
        ++i;
        token->kind = kTokenSizes;
        if (!IsDigit(line[i]) || !ReadNumber(line, &i, &token->second))
          return Fail(error, errorSize, "a size expected after /", start);
      }
    } else if (IsWordStart(c)) {
      while (IsWordCharacter(line[i])) ++i;
      token->kind = kTokenWord;
      token->text = line + start;
      token->length = i - start;
      if (IsWord(*token, "null")) token->kind = kTokenNull;
    } else {
      return Fail(error, errorSize, "unexpected character", start);
    }
    if (line[i] != '\0' && !IsBlank(line[i]))
      return Fail(error, errorSize, "a blank expected between arguments", i);
    while (IsBlank(line[i])) ++i;
    ++parsed->count;
  }
  if (parsed->tokens[0].kind != kTokenWord)
    return Fail(error, errorSize, "a step starts with a method name", 0);
  return true;
}

bool IsWord(const Token& token, const char* word) {
  return token.kind == kTokenWord && strlen(word) == token.length &&
         memcmp(token.text, word, token.length) == 0;
}
