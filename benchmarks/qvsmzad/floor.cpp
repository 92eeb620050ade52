// The floor of the qvsmzad benchmark: replays, from floor.ops in the current
// directory, exactly the registry calls that qvsmzad makes for the benchmark
// file, and does nothing else. Records (integers little-endian, texts
// zero-terminated; slot 255 stands for HKEY_LOCAL_MACHINE):
//   'c' slot parent rights:u32 path   RegCreateKeyExA into slot
//   'o' slot parent rights:u32 path   RegOpenKeyExA into slot
//   's' slot type:u32 size:u32 name data   RegSetValueExA
//   'q' slot name                     RegQueryValueExA for the size
//   'd' slot name                     RegDeleteValueA
//   'r' slot                          DeleteSubkeys, as qvsmzad's reset
//   'x' slot                          RegCloseKey
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "delete_subkeys.h"

namespace {

HKEY slots[256];

HKEY Slot(unsigned char index) { return index == 0xFF ? HKEY_LOCAL_MACHINE : slots[index]; }

DWORD TakeU32(const unsigned char** p) {
  DWORD value;
  memcpy(&value, *p, 4);
  *p += 4;
  return value;
}

const char* TakeText(const unsigned char** p) {
  const char* text = reinterpret_cast<const char*>(*p);
  *p += strlen(text) + 1;
  return text;
}

void Replay(const unsigned char* p, const unsigned char* end) {
  while (p < end) {
    const unsigned char op = *p++;
    const unsigned char slot = *p++;
    switch (op) {
      case 'c':
      case 'o': {
        const HKEY parent = Slot(*p++);
        const DWORD rights = TakeU32(&p);
        const char* path = TakeText(&p);
        if (op == 'o') {
          RegOpenKeyExA(parent, path, 0, rights, &slots[slot]);
        } else {
          DWORD disposition;
          char noClass[] = "";
          RegCreateKeyExA(parent, path, 0, noClass, REG_OPTION_NON_VOLATILE, rights, nullptr,
                          &slots[slot], &disposition);
        }
        break;
      }
      case 's': {
        const DWORD type = TakeU32(&p);
        const DWORD size = TakeU32(&p);
        const char* name = TakeText(&p);
        RegSetValueExA(slots[slot], name, 0, type, p, size);
        p += size;
        break;
      }
      case 'q': {
        DWORD size = 0;
        RegQueryValueExA(slots[slot], TakeText(&p), nullptr, nullptr, nullptr, &size);
        break;
      }
      case 'd':
        RegDeleteValueA(slots[slot], TakeText(&p));
        break;
      case 'r':
        DeleteSubkeys(slots[slot]);
        break;
      case 'x':
        RegCloseKey(slots[slot]);
        break;
      default:
        return;
    }
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  FILE* file = fopen("floor.ops", "rb");
  if (file == nullptr) return 1;
  fseek(file, 0, SEEK_END);
  const long size = ftell(file);
  fseek(file, 0, SEEK_SET);
  unsigned char* ops = static_cast<unsigned char*>(malloc(size > 0 ? size : 1));
  const size_t got = fread(ops, 1, size, file);
  fclose(file);
  Replay(ops, ops + got);
  return 0;
}
