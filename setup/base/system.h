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

// The registry, below HKEY_LOCAL_MACHINE.
class RegistryCalls {
 public:
  virtual ~RegistryCalls() {}
  virtual SystemStatus OpenKey(const char* path, KeyAccess access, KeyHandle* key) = 0;
  virtual SystemStatus CreateKey(const char* path, KeyHandle* key) = 0;
  virtual void CloseKey(KeyHandle key) = 0;
  // name: nameSize bytes in, the name's length out (as RegEnumKeyEx).
  virtual SystemStatus EnumKey(KeyHandle key, unsigned long index, char* name,
                               unsigned long* nameSize) = 0;
  virtual SystemStatus EnumValue(KeyHandle key, unsigned long index, char* name,
                                 unsigned long* nameSize, unsigned char* data,
                                 unsigned long* dataSize) = 0;
  // type may be null; data and dataSize as RegQueryValueEx.
  virtual SystemStatus QueryValue(KeyHandle key, const char* name, unsigned long* type,
                                  unsigned char* data, unsigned long* dataSize) = 0;
  virtual SystemStatus SetValue(KeyHandle key, const char* name, unsigned long type,
                                const unsigned char* data, unsigned long size) = 0;
  virtual SystemStatus DeleteValue(KeyHandle key, const char* name) = 0;
  virtual SystemStatus DeleteKey(const char* path) = 0;
  virtual SystemStatus FlushKey(KeyHandle key) = 0;
};

// Files and directories.
class FileCalls {
 public:
  virtual ~FileCalls() {}
  virtual unsigned long FileAttributes(const char* path) = 0;
  virtual SystemStatus SetAttributes(const char* path, unsigned long attributes) = 0;
  // Overwrites an existing destination.
  virtual SystemStatus CopyOneFile(const char* from, const char* to) = 0;
  virtual SystemStatus RemoveFile(const char* path) = 0;
  // Replaces a file of the new name; the 9x family lacks it.
  virtual SystemStatus RenameReplacing(const char* from, const char* to) = 0;
  // Renames a file; fails when a file of the new name exists.
  virtual SystemStatus RenameFile(const char* from, const char* to) = 0;
  virtual SystemStatus MakeDirectory(const char* path) = 0;
  // The first name that pattern (a path whose last part may hold * and ?)
  // matches, into name (kFoundNameSize bytes); the next ones follow, until
  // kStatusNoMoreFiles, or a failure that ends the search before its end.
  virtual SystemStatus FindFirstMatch(const char* pattern, SearchHandle* search, char* name) = 0;
  virtual SystemStatus FindNextMatch(SearchHandle search, char* name) = 0;
  virtual void EndSearch(SearchHandle search) = 0;
  virtual SystemStatus OpenFileToRead(const char* path, FileHandle* file) = 0;
  // Opens or creates a file that others may read and append to too.
  virtual SystemStatus OpenFileToAppend(const char* path, FileHandle* file) = 0;
  virtual SystemStatus ReadFromFile(FileHandle file, void* data, unsigned long size,
                                    unsigned long* read) = 0;
  // Writes at the file's end and on to the disk.
  virtual SystemStatus AppendFile(FileHandle file, const void* data, unsigned long size) = 0;
  virtual unsigned long FileSize(FileHandle file) = 0;
  virtual void CloseFile(FileHandle file) = 0;
};

// The process's environment: its directories and those of Windows, its
// variables, the computer's name and the profile reader.
class EnvironmentCalls {
 public:
  virtual ~EnvironmentCalls() {}

  // Directories of the process and of Windows. Each returns the length of
  // the answer: 0 on failure, the size needed when the buffer is too small.
  virtual unsigned long CurrentDirectory(char* out, unsigned long size) = 0;
  virtual bool ChangeDirectory(const char* path) = 0;
  virtual unsigned long WindowsDirectory(char* out, unsigned long size) = 0;
  virtual unsigned long SystemDirectory(char* out, unsigned long size) = 0;
  // The running program's own file.
  virtual unsigned long ProgramFile(char* out, unsigned long size) = 0;
  virtual unsigned long ShortPath(const char* path, char* out, unsigned long size) = 0;

  // The environment's variables expanded in text (%NAME%); the length of
  // the answer with its terminator, more than size when it does not fit,
  // 0 on failure.
  virtual unsigned long ExpandVariables(const char* text, char* out, unsigned long size) = 0;
  // The computer's name; false when it can not be read or does not fit.
  virtual bool ComputerName(char* out, unsigned long size) = 0;

  // The profile reader: one key's value, or with a null key every key name
  // of the section, each terminated, the list ending in an empty name.
  virtual unsigned long ProfileString(const char* section, const char* key, char* out,
                                      unsigned long size, const char* file) = 0;
};

// Programs and the setup libraries.
class ProgramCalls {
 public:
  virtual ~ProgramCalls() {}

  // Starts path with commandLine (which the start may modify) in the
  // current directory and waits until it ends.
  virtual ProgramResult RunProgram(const char* path, char* commandLine) = 0;

  // The setup libraries and their entries, called by their signatures.
  virtual SystemStatus OpenLibrary(const char* name, LibraryHandle* library) = 0;
  virtual EntryHandle FindEntry(LibraryHandle library, const char* name) = 0;
  virtual void CloseLibrary(LibraryHandle library) = 0;
  virtual int CallPlainEntry(EntryHandle entry) = 0;
  virtual int CallGetInfByPci(EntryHandle entry, char* infName, int* flag) = 0;
  virtual int CallGetHardWareId(EntryHandle entry, char* hardwareId) = 0;
  virtual int CallUpdateNT5Device(EntryHandle entry, const wchar_t* hardwareId,
                                  const wchar_t* infName) = 0;
  virtual int CallInstallClassDevice(EntryHandle entry, const wchar_t* className,
                                     const wchar_t* deviceName, const wchar_t* description,
                                     int flags) = 0;
};

// The platform, the clock and the end of the run.
class PlatformCalls {
 public:
  virtual ~PlatformCalls() {}

  virtual bool Version(PlatformVersion* version) = 0;
  virtual bool IsAdministrator() = 0;
  // A drive without a disk, a missing file or a damaged library fails the
  // call instead of showing a system box.
  virtual void SuppressErrorBoxes() = 0;
  // Whether the service control manager reports the service running.
  virtual bool ServiceRunning(const char* name) = 0;

  // One setup at a time: takes the machine-wide mark of a running setup
  // and holds it until the process ends. False when another process holds
  // it.
  virtual bool HoldSetupMark() = 0;

  // The clock, the timers of the run and its end. A timer's ticks reach the
  // run through the main window (OnCompletionTimer).
  virtual void LocalTime(ClockTime* time) = 0;
  virtual bool StartTimer(int id, unsigned intervalMs) = 0;
  virtual void StopTimer(int id) = 0;
  virtual void PostQuit(int exitCode) = 0;
  // Ends the process at once with the exit code, wherever the run stands
  // (the session ends inside a wait for a program).
  virtual void EndProcess(int exitCode) = 0;
  // NT lets a process restart Windows only with the shutdown privilege:
  // enables it in the process token. The status tells whether the token
  // could be opened; a privilege that could not be enabled makes the
  // request itself fail.
  virtual SystemStatus EnableShutdownPrivilege() = 0;
  // Asks Windows to end the session and restart, with the given exit flags.
  virtual SystemStatus RequestRestart(unsigned flags) = 0;
  // The diagnostic message box of the Debug option.
  virtual void ShowMessage(const char* text, const char* caption) = 0;
};

class System : public RegistryCalls,
               public FileCalls,
               public EnvironmentCalls,
               public ProgramCalls,
               public PlatformCalls {};

#endif
