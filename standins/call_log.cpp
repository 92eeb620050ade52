#include "call_log.h"

#include <windows.h>
#include <string.h>

#include "standin_config.h"
#include "standin_text.h"

namespace {

// With [CallLog] ErrorMode=1 each line ends in the caller's error mode, which
// says whether the system would stop the caller with a box of its own (no
// disk in the drive, a damaged file).
void AddErrorModeNote(char* line, size_t lineSize) {
  if (!ReadConfigNumber("CallLog", "ErrorMode", 0)) return;
  const UINT mode = SetErrorMode(0);
  SetErrorMode(mode);
  AddNumberNote(line, lineSize, "ErrorMode", static_cast<long>(mode));
}

}  // namespace

void AppendCallLog(const char* text) {
  char path[MAX_PATH];
  ReadConfigText("CallLog", "Path", "", path, sizeof path);
  if (!path[0]) return;
  char line[kCallLineSize];
  lstrcpynA(line, text, sizeof line);
  AddErrorModeNote(line, sizeof line);
  HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  // Other processes append too: lock the end while this line goes out.
  const DWORD length = static_cast<DWORD>(strlen(line));
  for (int attempt = 0; attempt < 50 && !LockFile(file, 0, 0x7FFFFFFF, 0, 0); ++attempt) Sleep(20);
  SetFilePointer(file, 0, nullptr, FILE_END);
  DWORD written = 0;
  WriteFile(file, line, length, &written, nullptr);
  WriteFile(file, "\r\n", 2, &written, nullptr);
  UnlockFile(file, 0, 0x7FFFFFFF, 0, 0);
  CloseHandle(file);
}

void AddSourcePathNote(char* line, size_t lineSize) {
  char value[MAX_PATH];
  bool found = false;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Setup", 0,
                    KEY_READ, &key) == ERROR_SUCCESS) {
    DWORD size = sizeof value - 1, type = 0;
    found = RegQueryValueExA(key, "SourcePath", nullptr, &type, reinterpret_cast<BYTE*>(value),
                             &size) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ);
    if (found) value[size] = '\0';
    RegCloseKey(key);
  }
  AddNote(line, lineSize, "SourcePath", found ? value : "none", found);
}
