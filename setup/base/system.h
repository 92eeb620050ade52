// The one seam between setup and Windows: every registry, file, profile,
// program, library, version, service, clock and timer call of a run goes
// through a System. The Win32 backend (win32/) makes the real calls; the
// simulated Windows (simulator/) answers them in memory, so that the run's
// own code runs natively too. Only the window and dialog code of control/
// talks to Win32 directly.
//
// Results are Win32 error codes (0 for success), so that what the log shows
// and what the run decides is the same on both. Every key lies below
// HKEY_LOCAL_MACHINE. The calls come in groups, an interface each, which a
// System is all of at once.
#ifndef SETUP_BASE_SYSTEM_H
#define SETUP_BASE_SYSTEM_H

#include "system_types.h"

// Each group's calls, listed once: a class that answers a group declares
// them with its ending, SYSTEM_REGISTRY_CALLS(override), and the group's
// interface below with "= 0". What each call does is said at the list.

// The registry, below HKEY_LOCAL_MACHINE. EnumKey: name is nameSize bytes
// in, the name's length out (as RegEnumKeyEx). QueryValue: type may be
// null; data and dataSize as RegQueryValueEx.
#define SYSTEM_REGISTRY_CALLS(ending)                                                      \
  virtual SystemStatus OpenKey(const char* path, KeyAccess access, KeyHandle* key) ending; \
  virtual SystemStatus CreateKey(const char* path, KeyHandle* key) ending;                 \
  virtual void CloseKey(KeyHandle key) ending;                                             \
  virtual SystemStatus EnumKey(KeyHandle key, unsigned long index, char* name,             \
                               unsigned long* nameSize) ending;                            \
  virtual SystemStatus EnumValue(KeyHandle key, unsigned long index, char* name,           \
                                 unsigned long* nameSize, unsigned char* data,             \
                                 unsigned long* dataSize) ending;                          \
  virtual SystemStatus QueryValue(KeyHandle key, const char* name, unsigned long* type,    \
                                  unsigned char* data, unsigned long* dataSize) ending;    \
  virtual SystemStatus SetValue(KeyHandle key, const char* name, unsigned long type,       \
                                const unsigned char* data, unsigned long size) ending;     \
  virtual SystemStatus DeleteValue(KeyHandle key, const char* name) ending;                \
  virtual SystemStatus DeleteKey(const char* path) ending;                                 \
  virtual SystemStatus FlushKey(KeyHandle key) ending;

// Files and directories. CopyOneFile overwrites an existing destination.
// RenameReplacing replaces a file of the new name; the 9x family lacks it.
// RenameFile fails when a file of the new name exists. FindFirstMatch: the
// first name that pattern (a path whose last part may hold * and ?)
// matches, into name (kFoundNameSize bytes); FindNextMatch the next ones,
// until kStatusNoMoreFiles, or a failure that ends the search before its
// end. OpenFileToAppend opens or creates a file that others may read and
// append to too; AppendFile writes at the file's end and on to the disk.
// FreeSpace: the free bytes of the drive that holds a full path ("C:\dir"
// or "\\server\share\dir"; the directory need not exist yet), less than
// 2 GB on the 9x family; path not found for a path of no drive.
// ProbeExclusiveOpen opens an existing file to write or to read with no
// sharing and closes it at once: a sharing violation tells a file that
// another program holds open.
#define SYSTEM_FILE_CALLS(ending)                                                                \
  virtual unsigned long FileAttributes(const char* path) ending;                                 \
  virtual SystemStatus SetAttributes(const char* path, unsigned long attributes) ending;         \
  virtual SystemStatus CopyOneFile(const char* from, const char* to) ending;                     \
  virtual SystemStatus RemoveFile(const char* path) ending;                                      \
  virtual SystemStatus RenameReplacing(const char* from, const char* to) ending;                 \
  virtual SystemStatus RenameFile(const char* from, const char* to) ending;                      \
  virtual SystemStatus MakeDirectory(const char* path) ending;                                   \
  virtual SystemStatus FindFirstMatch(const char* pattern, SearchHandle* search, char* name)     \
      ending;                                                                                    \
  virtual SystemStatus FindNextMatch(SearchHandle search, char* name) ending;                    \
  virtual void EndSearch(SearchHandle search) ending;                                            \
  virtual SystemStatus OpenFileToRead(const char* path, FileHandle* file) ending;                \
  virtual SystemStatus OpenFileToAppend(const char* path, FileHandle* file) ending;              \
  virtual SystemStatus ReadFromFile(FileHandle file, void* data, unsigned long size,             \
                                    unsigned long* read) ending;                                 \
  virtual SystemStatus AppendFile(FileHandle file, const void* data, unsigned long size) ending; \
  virtual unsigned long FileSize(FileHandle file) ending;                                        \
  virtual void CloseFile(FileHandle file) ending;                                                \
  virtual SystemStatus FreeSpace(const char* path, unsigned long long* bytes) ending;            \
  virtual SystemStatus ProbeExclusiveOpen(const char* path, bool toWrite) ending;

// The process's environment: its directories and those of Windows, its
// variables, the computer's name and the profile reader. The directory
// calls (and ProgramFile, the running program's own file, and ShortPath)
// return the length of the answer: 0 on failure, the size needed when the
// buffer is too small. ExpandVariables puts in the environment's variables
// (%NAME%) and returns the length of the answer with its terminator (NT
// 4.0: twice that, the bytes of its Unicode text), more than size when it
// does not fit, 0 on failure. ComputerName is false when
// the name can not be read or does not fit. ProfileString: one key's value,
// or with a null key every key name of the section, each terminated, the
// list ending in an empty name.
#define SYSTEM_ENVIRONMENT_CALLS(ending)                                                         \
  virtual unsigned long CurrentDirectory(char* out, unsigned long size) ending;                  \
  virtual bool ChangeDirectory(const char* path) ending;                                         \
  virtual unsigned long WindowsDirectory(char* out, unsigned long size) ending;                  \
  virtual unsigned long SystemDirectory(char* out, unsigned long size) ending;                   \
  virtual unsigned long ProgramFile(char* out, unsigned long size) ending;                       \
  virtual unsigned long ShortPath(const char* path, char* out, unsigned long size) ending;       \
  virtual unsigned long ExpandVariables(const char* text, char* out, unsigned long size) ending; \
  virtual bool ComputerName(char* out, unsigned long size) ending;                               \
  virtual unsigned long ProfileString(const char* section, const char* key, char* out,           \
                                      unsigned long size, const char* file) ending;

// Programs and the setup libraries. RunProgram starts path with
// commandLine (which the start may modify) in the current directory and
// waits until it ends. The entries of the libraries are called by their
// signatures.
#define SYSTEM_PROGRAM_CALLS(ending)                                                        \
  virtual ProgramResult RunProgram(const char* path, char* commandLine) ending;             \
  virtual SystemStatus OpenLibrary(const char* name, LibraryHandle* library) ending;        \
  virtual EntryHandle FindEntry(LibraryHandle library, const char* name) ending;            \
  virtual void CloseLibrary(LibraryHandle library) ending;                                  \
  virtual int CallPlainEntry(EntryHandle entry) ending;                                     \
  virtual int CallGetInfByPci(EntryHandle entry, char* infName, int* flag) ending;          \
  virtual int CallGetHardWareId(EntryHandle entry, char* hardwareId) ending;                \
  virtual int CallUpdateNT5Device(EntryHandle entry, const wchar_t* hardwareId,             \
                                  const wchar_t* infName) ending;                           \
  virtual int CallInstallClassDevice(EntryHandle entry, const wchar_t* className,           \
                                     const wchar_t* deviceName, const wchar_t* description, \
                                     int flags) ending;

// The platform, the clock and the end of the run. SuppressErrorBoxes: a
// drive without a disk, a missing file or a damaged library fails the call
// instead of showing a system box. ServiceRunning: whether the service
// control manager reports the service running. HoldSetupMark: one setup at
// a time; takes the machine-wide mark of a running setup and holds it until
// the process ends, false when another process holds it. A timer's ticks
// reach the run through the main window (OnCompletionTimer). EndProcess
// ends the process at once with the exit code, wherever the run stands
// (the session ends inside a wait for a program). NT lets a process
// restart Windows only with the shutdown privilege:
// EnableShutdownPrivilege enables it in the process token; its status
// tells whether the token could be opened, and a privilege that could not
// be enabled makes the request itself fail. RequestRestart asks Windows to
// end the session and restart, with the given exit flags. ShowMessage is
// the diagnostic message box of the Debug option.
#define SYSTEM_PLATFORM_CALLS(ending)                          \
  virtual bool Version(PlatformVersion* version) ending;       \
  virtual bool IsAdministrator() ending;                       \
  virtual void SuppressErrorBoxes() ending;                    \
  virtual bool ServiceRunning(const char* name) ending;        \
  virtual bool HoldSetupMark() ending;                         \
  virtual void LocalTime(ClockTime* time) ending;              \
  virtual bool StartTimer(int id, unsigned intervalMs) ending; \
  virtual void StopTimer(int id) ending;                       \
  virtual void PostQuit(int exitCode) ending;                  \
  virtual void EndProcess(int exitCode) ending;                \
  virtual SystemStatus EnableShutdownPrivilege() ending;       \
  virtual SystemStatus RequestRestart(unsigned flags) ending;  \
  virtual void ShowMessage(const char* text, const char* caption) ending;

// Every call of the seam, as SYSTEM_REGISTRY_CALLS.
#define SYSTEM_CALLS(ending)       \
  SYSTEM_REGISTRY_CALLS(ending)    \
  SYSTEM_FILE_CALLS(ending)        \
  SYSTEM_ENVIRONMENT_CALLS(ending) \
  SYSTEM_PROGRAM_CALLS(ending)     \
  SYSTEM_PLATFORM_CALLS(ending)

class RegistryCalls {
 public:
  virtual ~RegistryCalls() {}
  SYSTEM_REGISTRY_CALLS(= 0)
};

class FileCalls {
 public:
  virtual ~FileCalls() {}
  SYSTEM_FILE_CALLS(= 0)
};

class EnvironmentCalls {
 public:
  virtual ~EnvironmentCalls() {}
  SYSTEM_ENVIRONMENT_CALLS(= 0)
};

class ProgramCalls {
 public:
  virtual ~ProgramCalls() {}
  SYSTEM_PROGRAM_CALLS(= 0)
};

class PlatformCalls {
 public:
  virtual ~PlatformCalls() {}
  SYSTEM_PLATFORM_CALLS(= 0)
};

class System : public RegistryCalls,
               public FileCalls,
               public EnvironmentCalls,
               public ProgramCalls,
               public PlatformCalls {};

#endif
