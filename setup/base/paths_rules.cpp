#include "paths_rules.h"

#include <string.h>

namespace {

bool Concatenate(char* out, size_t outSize, const char* first, const char* separator,
                 const char* second) {
  const size_t a = strlen(first), b = strlen(separator), c = strlen(second);
  if (outSize == 0) return false;
  if (a + b + c >= outSize) {
    out[0] = '\0';
    return false;
  }
  memmove(out, first, a);
  memcpy(out + a, separator, b);
  memcpy(out + a + b, second, c);
  out[a + b + c] = '\0';
  return true;
}

}  // namespace

bool JoinRootAware(char* out, size_t outSize, const char* dir, const char* name) {
  return Concatenate(out, outSize, dir, strlen(dir) > 3 ? "\\" : "", name);
}

bool JoinPath(char* out, const char* dir, const char* name) {
  if (!dir && !name) return false;
  if (!dir) return Concatenate(out, kSetupPathSize, name, "", "");
  if (!name) return Concatenate(out, kSetupPathSize, dir, "", "");
  return Concatenate(out, kSetupPathSize, dir, "\\", name);
}

bool AppendText(char* out, size_t outSize, const char* base, const char* suffix) {
  return Concatenate(out, outSize, base, "", suffix);
}

bool ExpansionFits(const char* out, size_t outSize, unsigned long returned) {
  if (returned == 0) return false;
  if (returned <= outSize) return memchr(out, '\0', returned) != nullptr;
  const size_t length = returned / 2;
  return returned % 2 == 0 && length <= outSize && out[length - 1] == '\0' &&
         memchr(out, '\0', length - 1) == nullptr;
}

bool CopyWholeText(char* out, size_t outSize, const char* text) {
  return Concatenate(out, outSize, text, "", "");
}

bool DirectoryOfFile(char* out, size_t outSize, const char* filePath) {
  const char* lastBackslash = strrchr(filePath, '\\');
  if (!lastBackslash) return false;
  const size_t length = static_cast<size_t>(lastBackslash - filePath);
  if (length >= outSize) return false;
  memcpy(out, filePath, length);
  out[length] = '\0';
  return true;
}

size_t DriveRootLength(const char* path) {
  size_t length = 0;
  const char letter = static_cast<char>(path[0] | 0x20);
  if (letter >= 'a' && letter <= 'z' && path[1] == ':') {
    length = 2;
  } else if (path[0] == '\\' && path[1] == '\\') {
    const char* server = path + 2;
    const size_t serverLength = strcspn(server, "\\");
    const bool device = serverLength == 1 && (server[0] == '.' || server[0] == '?');
    if (serverLength > 0 && !device && server[serverLength] == '\\') {
      const char* share = server + serverLength + 1;
      const size_t shareLength = strcspn(share, "\\");
      if (shareLength > 0) length = static_cast<size_t>(share + shareLength - path);
    }
  }
  return length;
}

bool DriveRootOf(char* out, size_t outSize, const char* path) {
  const size_t length = DriveRootLength(path);
  if (length == 0 || length + 1 >= outSize) {
    if (outSize > 0) out[0] = '\0';
    return false;
  }
  memcpy(out, path, length);
  out[length] = '\\';
  out[length + 1] = '\0';
  return true;
}

bool WindowsDirFits(const char* windowsDir, size_t longest) {
  return strlen(windowsDir) <= longest;
}
