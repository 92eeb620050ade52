#include "entry_words.h"

#include <string.h>

WordResult NextWord(const char** cursor, const char* separators, char* word, size_t wordSize) {
  const char* start = *cursor + strspn(*cursor, separators);
  const size_t length = strcspn(start, separators);
  *cursor = start + length;
  if (wordSize > 0) word[0] = '\0';
  if (length == 0) return NoMoreWords;
  if (length >= wordSize) return WordTooLong;
  memcpy(word, start, length);
  word[length] = '\0';
  return WordRead;
}
