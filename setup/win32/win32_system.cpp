#include "win32_system.h"

#include "../base/paths_rules.h"

namespace {

HKEY KeyOf(KeyHandle key) { return reinterpret_cast<HKEY>(key); }
HANDLE FileOf(FileHandle file) { return reinterpret_cast<HANDLE>(file); }
HANDLE SearchOf(SearchHandle search) { return reinterpret_cast<HANDLE>(search); }
HMODULE LibraryOf(LibraryHandle library) { return reinterpret_cast<HMODULE>(library); }

// A call's status: 0 when it succeeded, else the last error.
SystemStatus StatusOf(BOOL succeeded) {
  return succeeded ? kStatusSuccess : static_cast<SystemStatus>(GetLastError());
}

// The entries are C functions with their own argument lists; they travel
// as the generic function type.
typedef int(__cdecl* PlainEntry)(void);
typedef int(__cdecl* GetInfByPciEntry)(char* infName, int* flag);
typedef int(__cdecl* GetHardWareIdEntry)(char* hardwareId);
typedef int(__cdecl* UpdateNT5DeviceEntry)(const wchar_t* hardwareId, const wchar_t* infName);
typedef int(__cdecl* InstallClassDeviceEntry)(const wchar_t* className, const wchar_t* deviceName,
                                              const wchar_t* description, int flags);

template <typename Entry>
Entry EntryOf(EntryHandle entry) {
  return reinterpret_cast<Entry>(reinterpret_cast<void (*)(void)>(entry));
}

// The group list is read into this many bytes; a longer list counts as no
// administrator.
const DWORD kTokenGroupsSize = 1024;

bool GroupsContain(const TOKEN_GROUPS* groups, PSID sid) {
  for (DWORD i = 0; i < groups->GroupCount; ++i)
    if (EqualSid(groups->Groups[i].Sid, sid)) return true;
  return false;
}

// Waits for the process to end. A program that sends to every top-level
// window (a setting change broadcast, a DDE start) waits for setup's
// answer: messages sent to setup's windows are handled meanwhile. Posted
// messages stay queued, so no timer of the run ticks inside the wait.
void WaitLettingSentMessagesThrough(HANDLE process) {
  for (;;) {
    const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_SENDMESSAGE);
    if (woken != WAIT_OBJECT_0 + 1) break;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  }
}

}  // namespace

SystemStatus Win32System::OpenKey(const char* path, KeyAccess access, KeyHandle* key) {
  HKEY opened;
  const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0,
                                    access == kKeyRead ? KEY_READ : KEY_ALL_ACCESS, &opened);
  if (status == ERROR_SUCCESS) *key = reinterpret_cast<KeyHandle>(opened);
  return status;
}

SystemStatus Win32System::CreateKey(const char* path, KeyHandle* key) {
  HKEY created;
  DWORD disposition;
  const LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, const_cast<char*>(""),
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &created,
                                      &disposition);
  if (status == ERROR_SUCCESS) *key = reinterpret_cast<KeyHandle>(created);
  return status;
}

void Win32System::CloseKey(KeyHandle key) { RegCloseKey(KeyOf(key)); }

SystemStatus Win32System::EnumKey(KeyHandle key, unsigned long index, char* name,
                                  unsigned long* nameSize) {
  return RegEnumKeyExA(KeyOf(key), index, name, nameSize, nullptr, nullptr, nullptr, nullptr);
}

SystemStatus Win32System::EnumValue(KeyHandle key, unsigned long index, char* name,
                                    unsigned long* nameSize, unsigned char* data,
                                    unsigned long* dataSize) {
  return RegEnumValueA(KeyOf(key), index, name, nameSize, nullptr, nullptr, data, dataSize);
}

SystemStatus Win32System::QueryValue(KeyHandle key, const char* name, unsigned long* type,
                                     unsigned char* data, unsigned long* dataSize) {
  return RegQueryValueExA(KeyOf(key), name, nullptr, type, data, dataSize);
}

SystemStatus Win32System::SetValue(KeyHandle key, const char* name, unsigned long type,
                                   const unsigned char* data, unsigned long size) {
  return RegSetValueExA(KeyOf(key), name, 0, type, data, size);
}

SystemStatus Win32System::DeleteValue(KeyHandle key, const char* name) {
  return RegDeleteValueA(KeyOf(key), name);
}

SystemStatus Win32System::DeleteKey(const char* path) {
  return RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
}

SystemStatus Win32System::FlushKey(KeyHandle key) { return RegFlushKey(KeyOf(key)); }

unsigned long Win32System::FileAttributes(const char* path) { return GetFileAttributesA(path); }

SystemStatus Win32System::SetAttributes(const char* path, unsigned long attributes) {
  return StatusOf(SetFileAttributesA(path, attributes));
}

SystemStatus Win32System::CopyOneFile(const char* from, const char* to) {
  return StatusOf(CopyFileA(from, to, FALSE));
}

SystemStatus Win32System::RemoveFile(const char* path) { return StatusOf(DeleteFileA(path)); }

SystemStatus Win32System::RenameReplacing(const char* from, const char* to) {
  return StatusOf(MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING));
}

SystemStatus Win32System::RenameFile(const char* from, const char* to) {
  return StatusOf(MoveFileA(from, to));
}

SystemStatus Win32System::MakeDirectory(const char* path) {
  return StatusOf(CreateDirectoryA(path, nullptr));
}

SystemStatus Win32System::FindFirstMatch(const char* pattern, SearchHandle* search, char* name) {
  WIN32_FIND_DATAA found;
  const HANDLE matches = FindFirstFileA(pattern, &found);
  if (matches == INVALID_HANDLE_VALUE) return static_cast<SystemStatus>(GetLastError());
  lstrcpynA(name, found.cFileName, kFoundNameSize);
  *search = reinterpret_cast<SearchHandle>(matches);
  return kStatusSuccess;
}

SystemStatus Win32System::FindNextMatch(SearchHandle search, char* name) {
  WIN32_FIND_DATAA found;
  if (!FindNextFileA(SearchOf(search), &found)) return static_cast<SystemStatus>(GetLastError());
  lstrcpynA(name, found.cFileName, kFoundNameSize);
  return kStatusSuccess;
}

void Win32System::EndSearch(SearchHandle search) { FindClose(SearchOf(search)); }

SystemStatus Win32System::OpenFileToRead(const char* path, FileHandle* file) {
  const HANDLE opened = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return static_cast<SystemStatus>(GetLastError());
  *file = reinterpret_cast<FileHandle>(opened);
  return kStatusSuccess;
}

SystemStatus Win32System::OpenFileToAppend(const char* path, FileHandle* file) {
  const HANDLE opened = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return static_cast<SystemStatus>(GetLastError());
  *file = reinterpret_cast<FileHandle>(opened);
  return kStatusSuccess;
}

SystemStatus Win32System::ReadFromFile(FileHandle file, void* data, unsigned long size,
                                       unsigned long* read) {
  DWORD done = 0;
  const SystemStatus status = StatusOf(::ReadFile(FileOf(file), data, size, &done, nullptr));
  *read = done;
  return status;
}

SystemStatus Win32System::AppendFile(FileHandle file, const void* data, unsigned long size) {
  // Another process may append to the same file: each write goes to its end.
  SetFilePointer(FileOf(file), 0, nullptr, FILE_END);
  DWORD written;
  const SystemStatus status = StatusOf(WriteFile(FileOf(file), data, size, &written, nullptr));
  FlushFileBuffers(FileOf(file));
  return status;
}

unsigned long Win32System::FileSize(FileHandle file) { return GetFileSize(FileOf(file), nullptr); }

void Win32System::CloseFile(FileHandle file) { CloseHandle(FileOf(file)); }

// GetDiskFreeSpaceEx would take the path itself, but Windows 95 before
// OSR2 lacks it; GetDiskFreeSpace takes only a root.
SystemStatus Win32System::FreeSpace(const char* path, unsigned long long* bytes) {
  char root[kSetupPathSize];
  if (!DriveRootOf(root, sizeof root, path)) return kStatusPathNotFound;
  DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
  if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
    return static_cast<SystemStatus>(GetLastError());
  *bytes = static_cast<unsigned long long>(freeClusters) * sectorsPerCluster * bytesPerSector;
  return kStatusSuccess;
}

SystemStatus Win32System::ProbeExclusiveOpen(const char* path, bool toWrite) {
  const HANDLE opened = CreateFileA(path, toWrite ? GENERIC_WRITE : GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return static_cast<SystemStatus>(GetLastError());
  CloseHandle(opened);
  return kStatusSuccess;
}

unsigned long Win32System::CurrentDirectory(char* out, unsigned long size) {
  return GetCurrentDirectoryA(size, out);
}

bool Win32System::ChangeDirectory(const char* path) { return SetCurrentDirectoryA(path) != 0; }

unsigned long Win32System::WindowsDirectory(char* out, unsigned long size) {
  return GetWindowsDirectoryA(out, size);
}

unsigned long Win32System::SystemDirectory(char* out, unsigned long size) {
  return GetSystemDirectoryA(out, size);
}

unsigned long Win32System::ProgramFile(char* out, unsigned long size) {
  return GetModuleFileNameA(nullptr, out, size);
}

unsigned long Win32System::ShortPath(const char* path, char* out, unsigned long size) {
  return GetShortPathNameA(path, out, size);
}

unsigned long Win32System::ExpandVariables(const char* text, char* out, unsigned long size) {
  return ExpandEnvironmentStringsA(text, out, size);
}

bool Win32System::ComputerName(char* out, unsigned long size) {
  DWORD length = size;
  return GetComputerNameA(out, &length) != 0;
}

unsigned long Win32System::ProfileString(const char* section, const char* key, char* out,
                                         unsigned long size, const char* file) {
  return GetPrivateProfileStringA(section, key, "", out, size, file);
}

ProgramResult Win32System::RunProgram(const char* path, char* commandLine) {
  ProgramResult result = {kStatusSuccess, false, 0};
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    result.Started = static_cast<SystemStatus>(GetLastError());
    return result;
  }
  WaitLettingSentMessagesThrough(process.hProcess);
  DWORD exitCode;
  result.ExitCodeKnown = GetExitCodeProcess(process.hProcess, &exitCode) != 0;
  if (result.ExitCodeKnown) result.ExitCode = exitCode;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

SystemStatus Win32System::OpenLibrary(const char* name, LibraryHandle* library) {
  const HMODULE loaded = LoadLibraryA(name);
  if (!loaded) return static_cast<SystemStatus>(GetLastError());
  *library = reinterpret_cast<LibraryHandle>(loaded);
  return kStatusSuccess;
}

EntryHandle Win32System::FindEntry(LibraryHandle library, const char* name) {
  return reinterpret_cast<EntryHandle>(GetProcAddress(LibraryOf(library), name));
}

void Win32System::CloseLibrary(LibraryHandle library) { FreeLibrary(LibraryOf(library)); }

int Win32System::CallPlainEntry(EntryHandle entry) { return EntryOf<PlainEntry>(entry)(); }

int Win32System::CallGetInfByPci(EntryHandle entry, char* infName, int* flag) {
  return EntryOf<GetInfByPciEntry>(entry)(infName, flag);
}

int Win32System::CallGetHardWareId(EntryHandle entry, char* hardwareId) {
  return EntryOf<GetHardWareIdEntry>(entry)(hardwareId);
}

int Win32System::CallUpdateNT5Device(EntryHandle entry, const wchar_t* hardwareId,
                                     const wchar_t* infName) {
  return EntryOf<UpdateNT5DeviceEntry>(entry)(hardwareId, infName);
}

int Win32System::CallInstallClassDevice(EntryHandle entry, const wchar_t* className,
                                        const wchar_t* deviceName, const wchar_t* description,
                                        int flags) {
  return EntryOf<InstallClassDeviceEntry>(entry)(className, deviceName, description, flags);
}

bool Win32System::Version(PlatformVersion* version) {
  // The basic version record (148 bytes): Windows 95 and NT 4.0 know no other.
  OSVERSIONINFOA info;
  ZeroMemory(&info, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return false;
  version->PlatformId = info.dwPlatformId;
  version->Major = info.dwMajorVersion;
  version->Minor = info.dwMinorVersion;
  version->Build = info.dwBuildNumber;
  return true;
}

// Whether the process token's groups contain the built-in Administrators
// group (S-1-5-32-544), whatever that group's attributes; false also when
// the token or its groups can not be read.
bool Win32System::IsAdministrator() {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_READ, &token)) return false;
  // DWORD elements keep the record aligned as the token query needs it.
  DWORD buffer[kTokenGroupsSize / sizeof(DWORD)];
  DWORD needed = 0;
  const BOOL read = GetTokenInformation(token, TokenGroups, buffer, sizeof buffer, &needed);
  CloseHandle(token);
  if (!read) return false;

  SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators))
    return false;
  const bool found = GroupsContain(reinterpret_cast<const TOKEN_GROUPS*>(buffer), administrators);
  FreeSid(administrators);
  return found;
}

// A crash inside a setup library ends setup without a box, which would
// block an unattended run.
void Win32System::SuppressErrorBoxes() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
}

// A service that can not be opened or queried counts as not running.
bool Win32System::ServiceRunning(const char* name) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return false;
  bool running = false;
  SC_HANDLE service = OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
  if (service) {
    SERVICE_STATUS status;
    running = QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  return running;
}

// The mutex stays open, and so held, until the process ends.
bool Win32System::HoldSetupMark() {
  const HANDLE mark = CreateMutexA(nullptr, FALSE, "TAVELINSoftModemSetup");
  return mark && GetLastError() != ERROR_ALREADY_EXISTS;
}

void Win32System::LocalTime(ClockTime* time) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  *time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

bool Win32System::StartTimer(int id, unsigned intervalMs) {
  return timerWindow_ && SetTimer(timerWindow_, id, intervalMs, nullptr) != 0;
}

void Win32System::StopTimer(int id) {
  if (timerWindow_) KillTimer(timerWindow_, id);
}

void Win32System::PostQuit(int exitCode) { PostQuitMessage(exitCode); }

void Win32System::EndProcess(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

SystemStatus Win32System::EnableShutdownPrivilege() {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return static_cast<SystemStatus>(GetLastError());
  TOKEN_PRIVILEGES privileges;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  CloseHandle(token);
  return kStatusSuccess;
}

SystemStatus Win32System::RequestRestart(unsigned flags) {
  return StatusOf(ExitWindowsEx(flags, 0));
}

void Win32System::ShowMessage(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, 0);
}
