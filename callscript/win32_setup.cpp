#include "win32_setup.h"

#include "script_parser.h"

SystemStatus Win32Setup::PutFile(const char* path, const char* bytes, unsigned long size) {
  // Each directory on the way, from the first below the drive's root; one
  // that is there already fails harmlessly.
  char directory[kMaxLineLength + 1];
  lstrcpynA(directory, path, sizeof directory);
  for (char* at = directory + 3; *at != '\0'; ++at) {
    if (*at != '\\') continue;
    *at = '\0';
    CreateDirectoryA(directory, nullptr);
    *at = '\\';
  }
  HANDLE file =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return static_cast<SystemStatus>(GetLastError());
  DWORD written = 0;
  const BOOL wrote = size == 0 || WriteFile(file, bytes, size, &written, nullptr);
  const SystemStatus status =
      wrote && written == size
          ? kStatusSuccess
          : static_cast<SystemStatus>(wrote ? kStatusDiskFull : GetLastError());
  CloseHandle(file);
  return status;
}

SystemStatus Win32Setup::HoldFile(const char* path) {
  if (holds_ == kMaxHolds) return kStatusNotEnoughMemory;
  HANDLE file =
      CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return static_cast<SystemStatus>(GetLastError());
  held_[holds_++] = file;
  return kStatusSuccess;
}

void Win32Setup::ReleaseHolds() {
  while (holds_ > 0) CloseHandle(held_[--holds_]);
}
