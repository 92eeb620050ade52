#include "path_text.h"

#include <string.h>

static int Concatenate(char* out, size_t outSize, const char* first, const char* separator,
                       const char* second) {
  const size_t a = strlen(first), b = strlen(separator), c = strlen(second);
  if (outSize == 0) return 0;
  if (a + b + c >= outSize) {
    out[0] = '\0';
    return 0;
  }
  memmove(out, first, a);
  memcpy(out + a, separator, b);
  memcpy(out + a + b, second, c);
  out[a + b + c] = '\0';
  return 1;
}

int JoinRootAware(char* out, size_t outSize, const char* dir, const char* name) {
  return Concatenate(out, outSize, dir, strlen(dir) > 3 ? "\\" : "", name);
}

int JoinPath(char* out, const char* dir, const char* name) {
  if (!dir && !name) return 0;
  if (!dir) return Concatenate(out, SetupPathSize, name, "", "");
  if (!name) return Concatenate(out, SetupPathSize, dir, "", "");
  return Concatenate(out, SetupPathSize, dir, "\\", name);
}

int AppendText(char* out, size_t outSize, const char* base, const char* suffix) {
  return Concatenate(out, outSize, base, "", suffix);
}

int DirectoryOfFile(char* out, size_t outSize, const char* filePath) {
  const char* lastBackslash = strrchr(filePath, '\\');
  if (!lastBackslash) return 0;
  const size_t length = static_cast<size_t>(lastBackslash - filePath);
  if (length >= outSize) return 0;
  memcpy(out, filePath, length);
  out[length] = '\0';
  return 1;
}

bool WindowsDirFits(const char* windowsDir) {
  return strlen(windowsDir) + strlen(DriversSuffix) < SetupPathSize;
}
