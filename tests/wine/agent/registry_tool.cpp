#include "registry_tool.h"

#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

void WriteHex(FILE* out, const unsigned char* data, DWORD size) {
  for (DWORD i = 0; i < size; ++i) fprintf(out, "%02x", data[i]);
}

void WriteHexText(FILE* out, const char* text) {
  WriteHex(out, reinterpret_cast<const unsigned char*>(text), static_cast<DWORD>(strlen(text)));
}

HKEY RootOf(const char* path, const char** rest) {
  struct {
    const char* name;
    HKEY key;
  } roots[] = {{"HKLM", HKEY_LOCAL_MACHINE}, {"HKCU", HKEY_CURRENT_USER}, {"HKU", HKEY_USERS}};
  for (auto& root : roots) {
    const size_t n = strlen(root.name);
    if (_strnicmp(path, root.name, n) == 0 && (path[n] == '\\' || path[n] == '\0')) {
      *rest = path[n] ? path + n + 1 : path + n;
      return root.key;
    }
  }
  return nullptr;
}

void DumpKey(FILE* out, HKEY key, const char* relative, bool wholeTree) {
  fputs("K\t", out);
  WriteHexText(out, relative);
  fputc('\n', out);

  DWORD subkeys = 0, maxName = 0, maxData = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, &maxName,
                   &maxData, nullptr, nullptr);
  char* name = static_cast<char*>(malloc(maxName + 2));
  unsigned char* data = static_cast<unsigned char*>(malloc(maxData + 2));
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = maxName + 2, dataSize = maxData + 2, type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
      break;
    fputs("V\t", out);
    WriteHexText(out, relative);
    fputc('\t', out);
    WriteHex(out, reinterpret_cast<unsigned char*>(name), nameSize);
    fprintf(out, "\t%lu\t", type);
    WriteHex(out, data, dataSize);
    fputc('\n', out);
  }
  free(name);
  free(data);

  char subkey[512];
  for (DWORD i = 0; RegEnumKeyA(key, i, subkey, sizeof subkey) == ERROR_SUCCESS; ++i) {
    char path[2048];
    _snprintf(path, sizeof path, relative[0] ? "%s\\%s" : "%s%s", relative, subkey);
    path[sizeof path - 1] = '\0';
    if (!wholeTree) {
      fputs("K\t", out);
      WriteHexText(out, path);
      fputc('\n', out);
      continue;
    }
    HKEY child;
    if (RegOpenKeyExA(key, subkey, 0, KEY_READ, &child) == ERROR_SUCCESS) {
      DumpKey(out, child, path, wholeTree);
      RegCloseKey(child);
    }
  }
}

}  // namespace

int DumpRegistry(const char* path, const char* outFile, bool wholeTree) {
  FILE* out = fopen(outFile, "wb");
  if (!out) return 2;
  const char* rest;
  HKEY root = RootOf(path, &rest);
  HKEY key;
  if (!root || RegOpenKeyExA(root, rest, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    fputs("MISSING\n", out);
  } else {
    DumpKey(out, key, "", wholeTree);
    RegCloseKey(key);
  }
  fclose(out);
  return 0;
}

namespace {

size_t FromHex(const char* hex, unsigned char* out, size_t capacity) {
  size_t n = 0;
  for (; hex[0] && hex[1] && n < capacity; hex += 2) {
    unsigned value;
    if (sscanf(hex, "%2x", &value) != 1) break;
    out[n++] = static_cast<unsigned char>(value);
  }
  return n;
}

void TextFromHex(const char* hex, char* out, size_t capacity) {
  const size_t n = FromHex(hex, reinterpret_cast<unsigned char*>(out), capacity - 1);
  out[n] = '\0';
}

// Deletes a key with its subkeys, children first, as NT requires.
LONG DeleteTree(HKEY parent, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    char subkey[512];
    while (RegEnumKeyA(key, 0, subkey, sizeof subkey) == ERROR_SUCCESS)
      if (DeleteTree(key, subkey) != ERROR_SUCCESS) break;
    RegCloseKey(key);
  }
  return RegDeleteKeyA(parent, name);
}

int ApplyRecord(char* line) {
  char* fields[5] = {};
  int count = 0;
  for (char* p = line; p && count < 5; ++count) {
    fields[count] = p;
    p = strchr(p, '\t');
    if (p) *p++ = '\0';
  }
  if (count < 2) return 1;
  char path[2048];
  TextFromHex(fields[1], path, sizeof path);
  const char* rest;
  HKEY root = RootOf(path, &rest);
  if (!root) return 1;
  HKEY key;
  switch (fields[0][0]) {
    case 'K':
    case 'V': {
      DWORD disposition;
      if (RegCreateKeyExA(root, rest, 0, const_cast<char*>(""), 0, KEY_ALL_ACCESS, nullptr, &key,
                          &disposition) != ERROR_SUCCESS)
        return 1;
      LONG status = ERROR_SUCCESS;
      if (fields[0][0] == 'V' && count == 5) {
        char name[1024];
        TextFromHex(fields[2], name, sizeof name);
        static unsigned char data[65536];
        const size_t size = FromHex(fields[4], data, sizeof data);
        status = RegSetValueExA(key, name, 0, strtoul(fields[3], nullptr, 10), data,
                                static_cast<DWORD>(size));
      }
      RegCloseKey(key);
      return status == ERROR_SUCCESS ? 0 : 1;
    }
    case 'D':
      DeleteTree(root, rest);
      return 0;
    case 'X':
      if (count < 3 || RegOpenKeyExA(root, rest, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return 0;
      {
        char name[1024];
        TextFromHex(fields[2], name, sizeof name);
        RegDeleteValueA(key, name);
      }
      RegCloseKey(key);
      return 0;
    default:
      return 1;
  }
}

}  // namespace

int SeedRegistry(const char* inFile) {
  FILE* in = fopen(inFile, "rb");
  if (!in) return 2;
  static char line[140000];
  int failures = 0;
  while (fgets(line, sizeof line, in)) {
    line[strcspn(line, "\r\n")] = '\0';
    if (line[0]) failures += ApplyRecord(line);
  }
  fclose(in);
  return failures ? 1 : 0;
}
