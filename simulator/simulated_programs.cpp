#include "simulated_programs.h"

#include <cstdio>
#include <cstring>

#include "byte_stream.h"
#include "command_line.h"
#include "country_effect.h"

namespace {

// The entries that each library exports (qvsetup1.def, qvsetup2.def).
struct EntryExport {
  const char* name;
  int library;
};
const EntryExport kExports[] = {{"RefreshWin2K", 2},      {"RemoveModem", 2},
                                {"WDMDeleteDevice", 2},   {"RemoveDisabledModem", 2},
                                {"DeleteOtherDevice", 2}, {"RemovePort", 2},
                                {"RemoveNTService", 2},   {"GetInfByPci", 2},
                                {"NTGetINF", 2},          {"GetHardWareId", 2},
                                {"UpdateNT5Device", 1},   {"InstallClassDevice", 1}};
const size_t kEntryCount = sizeof kExports / sizeof kExports[0];

const char* const kLibraryNames[] = {"QVSETUP1.DLL", "QVSETUP2.DLL"};

int LibraryNumber(const char* name) {
  for (int i = 0; i < 2; ++i) {
    if (strcmp(kLibraryNames[i], name) == 0) return i + 1;
  }
  return 0;
}

// The program's arguments: the command line after its first word (quoted
// or up to a blank) and the blanks that follow.
std::string ArgumentsOf(const char* commandLine) {
  const char* p = commandLine;
  if (*p == '"') {
    const char* closing = strchr(p + 1, '"');
    p = closing != nullptr ? closing + 1 : p + strlen(p);
  } else {
    while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

// The file name of a library's name, which may hold a directory.
// The file name of a library, with ".DLL" where it has no extension, as
// LoadLibrary looks for it.
std::string LibraryFileName(const std::string& name) {
  const size_t last = name.find_last_of("\\/:");
  const std::string file = last == std::string::npos ? name : name.substr(last + 1);
  return file.find('.') == std::string::npos ? file + ".DLL" : file;
}

// The libraries of Windows itself, which every process has loaded; the
// simulation knows none of their entries.
bool IsSystemLibrary(const std::string& fileName) {
  for (const char* each : {"KERNEL32.DLL", "USER32.DLL", "ADVAPI32.DLL", "GDI32.DLL"}) {
    if (SameFileName(fileName, each)) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> SetupLibraryExports(const char* name) {
  std::vector<std::string> entries;
  const int number = LibraryNumber(name);
  for (const EntryExport& entry : kExports) {
    if (entry.library == number && number != 0) entries.push_back(entry.name);
  }
  return entries;
}

SimulatedPrograms::SimulatedPrograms(SimulatedProcess* process, SimulatedStandins* standins)
    : process_(process), machine_(process->machine), standins_(standins) {}

// ---------------------------------------------------------------- programs

const ScriptedProgram* SimulatedPrograms::ScriptOf(const SimulatedFile& file) const {
  const std::string fullPath = FullFilePath(file);
  const ScriptedProgram* scripted = nullptr;
  for (const ScriptedProgram& program : machine_->programs) {
    const bool named = program.name.find_first_of("\\/:") != std::string::npos
                           ? SameFileName(program.name, fullPath)
                           : SameFileName(program.name, file.name);
    if (named) scripted = &program;
  }
  return scripted;
}

ProgramResult SimulatedPrograms::RunProgram(const char* path, char* commandLine) {
  SystemStatus status;
  const SimulatedFile* file = FileAt(machine_, path, &status);
  if (file != nullptr && file->directory) status = kStatusAccessDenied;
  ProgramResult result = {status, false, 0};
  if (status != kStatusSuccess) return result;
  const ScriptedProgram* scripted = ScriptOf(*file);
  if (scripted != nullptr && scripted->startError != kStatusSuccess) {
    result.Started = scripted->startError;
    return result;
  }
  const std::string arguments = ArgumentsOf(commandLine);
  started_.push_back(arguments.empty() ? std::string(path) : path + (" " + arguments));
  result.ExitCodeKnown = true;
  if (scripted != nullptr)
    result.ExitCode = scripted->exitCode;
  else if (SameFileName(file->name, "qvsmzad.exe"))
    result.ExitCode = RunCountryProgram(commandLine);
  else if (SameFileName(file->name, "qvsetup3.exe"))
    result.ExitCode = standins_->RunDeviceProgram(DirectoryOf(path), commandLine);
  return result;
}

unsigned long SimulatedPrograms::RunCountryProgram(const char* commandLine) {
  SystemStatus status;
  const SimulatedFile* file = FileAt(machine_, CountryFilePath(commandLine), &status);
  if (file == nullptr || file->directory) return 1;  // nothing is written
  std::string content = file->content;
  FILE* stream = StreamOfBytes(&content);
  if (stream == nullptr) return 1;
  CountryJournal journal;
  WalkCountryFileOnModel(stream, &machine_->registry, machine_->startTime + process_->clock / 1000,
                         &journal);
  fclose(stream);
  ForgetDeletedKeys(process_);
  return 0;
}

// ------------------------------------------------------- setup libraries

// The program's directory, the current one, the system and the Windows
// directory, in that order; a name with a directory only there.
std::string SimulatedPrograms::LibraryDirectoryOf(const char* name) const {
  std::vector<std::string> directories;
  if (strpbrk(name, "\\/:") != nullptr)
    directories.push_back(DirectoryOf(name));
  else
    directories = {machine_->programDir, machine_->currentDir, machine_->systemDir,
                   machine_->windowsDir};
  const std::string fileName = LibraryFileName(name);
  for (const std::string& directory : directories) {
    SystemStatus status;
    const SimulatedFile* file = FileAt(machine_, InDirectory(directory, fileName).c_str(), &status);
    if (file != nullptr && !file->directory) return directory;
  }
  return std::string();
}

SystemStatus SimulatedPrograms::OpenLibrary(const char* name, LibraryHandle* library) {
  const bool system = strpbrk(name, "\\/:") == nullptr && IsSystemLibrary(LibraryFileName(name));
  const std::string found = system ? machine_->systemDir : LibraryDirectoryOf(name);
  // The 9x family answers a missing library with ERROR_DLL_NOT_FOUND.
  if (found.empty())
    return IsWindows9xClass(machine_->osClass) ? kStatusDllNotFound : kStatusModuleNotFound;
  int number = 0;
  for (int i = 0; i < 2; ++i) {
    if (SameFileName(LibraryFileName(name), kLibraryNames[i])) number = i + 1;
  }
  // Only the setup libraries are known here: any other library found is
  // none that the simulation can run.
  if (number == 0 && !system) return kStatusBadExeFormat;
  size_t index = libraries_.size();
  for (size_t i = 0; i < libraries_.size(); ++i) {
    if (libraries_[i].number == number && libraries_[i].loads > 0) index = i;
  }
  if (index == libraries_.size()) libraries_.push_back({number, found, 0});
  ++libraries_[index].loads;
  *library = HandleOf<LibraryHandle>(index);
  return kStatusSuccess;
}

const SimulatedPrograms::LoadedLibrary* SimulatedPrograms::Loaded(LibraryHandle library) const {
  const size_t index = IndexOf(library);
  return library != nullptr && index < libraries_.size() && libraries_[index].loads > 0
             ? &libraries_[index]
             : nullptr;
}

EntryHandle SimulatedPrograms::FindEntry(LibraryHandle library, const char* name) {
  const LoadedLibrary* loaded = Loaded(library);
  EntryHandle entry = nullptr;
  for (size_t e = 0; loaded != nullptr && e < kEntryCount; ++e) {
    if (kExports[e].library == loaded->number && strcmp(kExports[e].name, name) == 0)
      entry = HandleOf<EntryHandle>(IndexOf(library) * kEntryCount + e);
  }
  return entry;
}

void SimulatedPrograms::CloseLibrary(LibraryHandle library) {
  const size_t index = IndexOf(library);
  if (library != nullptr && index < libraries_.size() && libraries_[index].loads > 0)
    --libraries_[index].loads;
}

std::string SimulatedPrograms::EntryDirectory(EntryHandle entry) const {
  const size_t index = IndexOf(entry) / kEntryCount;
  return entry != nullptr && index < libraries_.size() ? libraries_[index].directory
                                                       : std::string();
}

const char* SimulatedPrograms::EntryName(EntryHandle entry) const {
  return kExports[IndexOf(entry) % kEntryCount].name;
}

int SimulatedPrograms::CallPlainEntry(EntryHandle entry) {
  return standins_->PlainEntry(EntryDirectory(entry), EntryName(entry));
}

int SimulatedPrograms::CallGetInfByPci(EntryHandle entry, char* infName, int* flag) {
  return standins_->GetInfByPci(EntryDirectory(entry), infName, flag);
}

int SimulatedPrograms::CallGetHardWareId(EntryHandle entry, char* hardwareId) {
  return standins_->GetHardWareId(EntryDirectory(entry), hardwareId);
}

int SimulatedPrograms::CallUpdateNT5Device(EntryHandle entry, const wchar_t* hardwareId,
                                           const wchar_t* infName) {
  return standins_->UpdateNT5Device(EntryDirectory(entry), hardwareId, infName);
}

int SimulatedPrograms::CallInstallClassDevice(EntryHandle entry, const wchar_t* className,
                                              const wchar_t* deviceName, const wchar_t* description,
                                              int flags) {
  return standins_->InstallClassDevice(EntryDirectory(entry), className, deviceName, description,
                                       flags);
}
