#include "win32_world.h"

#include <stdio.h>
#include <string.h>

#include "standin_entries.h"

namespace {

const DWORD ServiceStartWait = 60000;

int StartHelper(char* command, DWORD flags, PROCESS_INFORMATION* process) {
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                      process))
    return 0;
  CloseHandle(process->hThread);
  return 1;
}

// The module that holds this code: the allocation that its code lies in.
HMODULE ThisModule() {
  MEMORY_BASIC_INFORMATION memory;
  if (VirtualQuery(reinterpret_cast<const void*>(&ThisModule), &memory, sizeof memory) == 0)
    return nullptr;
  return static_cast<HMODULE>(memory.AllocationBase);
}

}  // namespace

Win32StandinWorld::Win32StandinWorld() : module_(ThisModule()) {}

RegistryCalls& Win32StandinWorld::Registry() { return system_; }

int Win32StandinWorld::StandinFilePath(char* out, const char* name) {
  char module[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module_, module, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 0;
  char* lastBackslash = strrchr(module, '\\');
  if (!lastBackslash) return 0;
  const size_t dirLength = static_cast<size_t>(lastBackslash - module) + 1;
  if (dirLength + strlen(name) >= MAX_PATH) return 0;
  memcpy(out, module, dirLength);
  strcpy(out + dirLength, name);
  return 1;
}

bool Win32StandinWorld::OnWindows9x() { return (GetVersion() & 0x80000000) != 0; }

int Win32StandinWorld::ConfigNumber(const char* section, const char* key, int fallback) {
  char config[MAX_PATH];
  if (!StandinFilePath(config, StandinConfigName)) return fallback;
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, config));
}

void Win32StandinWorld::ConfigText(const char* section, const char* key, const char* fallback,
                                   char* out, size_t outSize) {
  char config[MAX_PATH];
  if (!StandinFilePath(config, StandinConfigName)) {
    lstrcpynA(out, fallback, static_cast<int>(outSize));
    return;
  }
  GetPrivateProfileStringA(section, key, fallback, out, static_cast<DWORD>(outSize), config);
}

void Win32StandinWorld::AppendLine(const char* path, const char* line) {
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

unsigned long Win32StandinWorld::ErrorMode() {
  const UINT mode = SetErrorMode(0);
  SetErrorMode(mode);
  return mode;
}

void Win32StandinWorld::Pass(unsigned long milliseconds) { Sleep(milliseconds); }

int Win32StandinWorld::StartRecordWriter(unsigned long delay) {
  char path[MAX_PATH];
  char command[MAX_PATH + 40];
  if (!StandinFilePath(path, RecordWriterName)) return 0;
  snprintf(command, sizeof command, "\"%s\" %lu 0", path, delay);
  PROCESS_INFORMATION process;
  if (!StartHelper(command, DETACHED_PROCESS, &process)) return 0;
  CloseHandle(process.hProcess);
  return 1;
}

int Win32StandinWorld::StartModemService(unsigned long delay, unsigned long life) {
  char path[MAX_PATH];
  char command[MAX_PATH + 40];
  if (!StandinFilePath(path, ModemServiceProgram)) return 0;
  snprintf(command, sizeof command, "\"%s\" start %lu %lu", path, delay, life);
  PROCESS_INFORMATION process;
  if (!StartHelper(command, 0, &process)) return 0;
  DWORD exitCode = 1;
  if (WaitForSingleObject(process.hProcess, ServiceStartWait) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &exitCode))
    exitCode = 1;
  CloseHandle(process.hProcess);
  return exitCode == 0;
}
