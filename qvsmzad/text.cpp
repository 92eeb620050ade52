#include "text.h"

#include <cstring>

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool CopyBounded(char* target, size_t capacity, const char* source, size_t length) {
  if (capacity == 0) return false;
  if (length >= capacity) {
    target[0] = '\0';
    return false;
  }
  memcpy(target, source, length);
  target[length] = '\0';
  return true;
}

bool CopyText(char* target, size_t capacity, const char* source) {
  return CopyBounded(target, capacity, source, strlen(source));
}
