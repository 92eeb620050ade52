// The lines of a call script (.calls): a line is a comment, a blank, or a
// step of words, strings, numbers, handle references (#N) and buffer sizes
// (N/M). The parser only splits and decodes; what a step's words mean is the
// runner's (call_table.h).
#ifndef CALLSCRIPT_SCRIPT_PARSER_H
#define CALLSCRIPT_SCRIPT_PARSER_H

#include <stddef.h>

// A script line's characters, without its end; a longer line is an error.
const size_t kMaxLineLength = 4096;
// A step's words: the method (or setting-up step) and its arguments.
const size_t kMaxTokens = 12;
const size_t kErrorSize = 200;

enum TokenKind {
  kTokenWord,    // a name: a method, a step, `out`, a registry type
  kTokenString,  // "..." decoded
  kTokenNull,    // null
  kTokenNumber,  // decimal or 0x hexadecimal, up to 32 bits
  kTokenHandle,  // #N: the handle that step N returned
  kTokenSizes,   // N/M: a buffer of N bytes whose size pointer says M
};

struct Token {
  TokenKind kind;
  const char* text;  // a word's characters in the line, a string's decoded bytes
  size_t length;
  unsigned long number;  // a number, a handle's step, the N of N/M
  unsigned long second;  // the M of N/M
};

struct ScriptLine {
  bool isStep;  // false for a blank line or a comment
  Token tokens[kMaxTokens];
  size_t count;
  char bytes[kMaxLineLength];  // the decoded strings; escapes only shorten them
};

// Splits one line (without its line end) into tokens; false with what is
// wrong in `error`. `line` must outlive `parsed`: words point into it.
bool ParseScriptLine(const char* line, ScriptLine* parsed, char* error, size_t errorSize);

// Whether a word token is this word.
bool IsWord(const Token& token, const char* word);

#endif
