#include "programs_rules.h"

#include <string.h>

struct LineWriter {
  char* Out;
  size_t Size;
  size_t Length;
  bool Full;
};

namespace {

void Put(LineWriter* line, char c, size_t times = 1) {
  for (; times > 0; --times) {
    if (line->Length + 1 >= line->Size) {
      line->Full = true;
      return;
    }
    line->Out[line->Length++] = c;
  }
}

bool NeedsQuotes(const char* word) { return word[0] == '\0' || strpbrk(word, " \t\"") != nullptr; }

// Backslashes count literally unless a quotation mark follows them; there
// they are doubled, and one more escapes a quotation mark of the word.
void PutQuoted(LineWriter* line, const char* word) {
  Put(line, '"');
  for (const char* p = word;; ++p) {
    size_t backslashes = 0;
    for (; *p == '\\'; ++p) ++backslashes;
    if (*p == '\0') {
      Put(line, '\\', backslashes * 2);
      break;
    }
    if (*p == '"') {
      Put(line, '\\', backslashes * 2 + 1);
    } else {
      Put(line, '\\', backslashes);
    }
    Put(line, *p);
  }
  Put(line, '"');
}

}  // namespace

namespace {

void PutText(LineWriter* line, const char* text) {
  for (const char* p = text; *p; ++p) Put(line, *p);
}

// The words joined with single spaces, each quoted where it needs it.
void PutWords(LineWriter* line, const char* const* words, int wordCount) {
  for (int i = 0; i < wordCount; ++i) {
    if (i > 0) Put(line, ' ');
    if (NeedsQuotes(words[i]))
      PutQuoted(line, words[i]);
    else
      PutText(line, words[i]);
  }
}

bool Finish(LineWriter* line) {
  line->Out[line->Full ? 0 : line->Length] = '\0';
  return !line->Full;
}

}  // namespace

bool FormArgumentLine(const char* const* words, int wordCount, char* out, size_t outSize) {
  if (outSize == 0) return false;
  LineWriter line = {out, outSize, 0, false};
  PutWords(&line, words, wordCount);
  return Finish(&line);
}

bool FormInterpreterLine(const char* program, const char* const* arguments, int argumentCount,
                         char* out, size_t outSize) {
  if (outSize == 0) return false;
  LineWriter line = {out, outSize, 0, false};
  PutText(&line, "cmd /c \"\"");
  PutText(&line, program);
  Put(&line, '"');
  if (argumentCount > 0) Put(&line, ' ');
  PutWords(&line, arguments, argumentCount);
  Put(&line, '"');
  return Finish(&line);
}

const char* const kProgramExtensions[kProgramExtensionCount] = {".com", ".exe", ".bat", ".cmd"};

bool HasExtension(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  return strchr(name, '.') != nullptr;
}

bool EndsInExtension(const char* path, const char* extension) {
  const size_t length = strlen(path), extensionLength = strlen(extension);
  if (length < extensionLength) return false;
  for (size_t i = 0; i < extensionLength; ++i) {
    const char c = path[length - extensionLength + i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != extension[i]) return false;
  }
  return true;
}

bool IsBatchProgram(const char* path) {
  return EndsInExtension(path, ".bat") || EndsInExtension(path, ".cmd");
}

int FindInterpreterOperatorWord(const char* const* words, int wordCount) {
  for (int i = 0; i < wordCount; ++i)
    if (strpbrk(words[i], "&|<>^%") != nullptr) return i;
  return -1;
}
