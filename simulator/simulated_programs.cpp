#include "simulated_programs.h"

#include <cstdio>
#include <cstring>

#include "byte_stream.h"
#include "command_line.h"
#include "country_effect.h"
#include "files/programs_rules.h"
#include "simulated_environment.h"

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

// How CreateProcess takes a file: an image by its "MZ" header, whatever
// its name; any other file by its extension, as Wine does since wine-1.2
// (dlls/kernel32/process.c:2139): a batch file through the command
// interpreter, .com and .pif as DOS programs, anything else as none.
enum StartKind { kNoProgram, kImageProgram, kBatchStart, kDosProgram };

StartKind StartKindOf(const SimulatedFile& file) {
  if (file.content.compare(0, 2, "MZ") == 0) return kImageProgram;
  const char* name = file.name.c_str();
  if (IsBatchProgram(name)) return kBatchStart;
  if (EndsInExtension(name, ".com") || EndsInExtension(name, ".pif")) return kDosProgram;
  return kNoProgram;
}

// What a start of a file that is no image ends with where Windows' own
// answer is not known: the test platform's, measured on Wine 8.0 in every
// version mode. Wine has no DOS: its winevdm ends a DOS program at once,
// with STATUS_OBJECT_NAME_NOT_FOUND for a .com and 11 for a .pif.
const SystemStatus kNotAProgramStatus = kStatusBadExeFormat;
const unsigned long kTestPlatformComExit = 0xC0000034;
const unsigned long kTestPlatformPifExit = 11;
// The interpreter's exit code for a command that names no file it finds
// ("is not recognized"): Wine 8.0's cmd, measured, taken for NT's too.
const unsigned long kCommandNotFoundExit = 9009;

// The batch file of an interpreter's line "cmd /c ""C:\dir\tool.bat" ...""
// (or "cmd /c C:\tool.bat ..."): its path, empty when the line has no /c.
std::string BatchOfInterpreterLine(const char* commandLine) {
  const char* p = commandLine;
  while (*p != '\0' && !(p[0] == '/' && (p[1] == 'c' || p[1] == 'C'))) ++p;
  if (*p == '\0') return std::string();
  p += 2;
  while (*p == ' ' || *p == '\t') ++p;
  if (p[0] == '"' && p[1] == '"') ++p;
  if (*p == '"') {
    const char* closing = strchr(p + 1, '"');
    return closing != nullptr ? std::string(p + 1, closing) : std::string(p + 1);
  }
  const char* end = p;
  while (*end != '\0' && *end != ' ' && *end != '\t') ++end;
  return std::string(p, end);
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

// A file that is no image starts as Windows starts it (StartKindOf), or
// not, with ERROR_BAD_EXE_FORMAT: NT answers so; no source gives the 9x
// family's code, and Wine 8.0 answers 193 in its 9x version modes too
// (measured), which the simulation takes for the family. The family's
// command interpreter is a program of Windows itself, which every machine
// has, whether or not its disk holds the file.
ProgramResult SimulatedPrograms::RunProgram(const char* path, char* commandLine) {
  const bool interpreter = SameFileName(path, CommandInterpreterPath(*machine_));
  SystemStatus status;
  const SimulatedFile* file = FileAt(machine_, path, &status);
  if (file != nullptr && file->directory) status = kStatusAccessDenied;
  if (interpreter) status = kStatusSuccess;
  ProgramResult result = {status, false, 0};
  if (status != kStatusSuccess) return result;
  const StartKind kind = interpreter ? kImageProgram : StartKindOf(*file);
  if (kind == kNoProgram) {
    result.Started = kNotAProgramStatus;
    return result;
  }
  const ScriptedProgram* scripted = interpreter ? nullptr : ScriptOf(*file);
  if (scripted != nullptr && scripted->startError != kStatusSuccess) {
    result.Started = scripted->startError;
    return result;
  }
  const std::string arguments = ArgumentsOf(commandLine);
  started_.push_back(arguments.empty() ? std::string(path) : path + (" " + arguments));
  result.ExitCodeKnown = true;
  if (interpreter)
    result.ExitCode = RunBatchFile(BatchOfInterpreterLine(commandLine));
  else if (scripted != nullptr)
    result.ExitCode = scripted->exitCode;
  else if (kind == kDosProgram && machine_->testPlatform)
    result.ExitCode = EndsInExtension(path, ".pif") ? kTestPlatformPifExit : kTestPlatformComExit;
  else if (SameFileName(file->name, "qvsmzad.exe"))
    result.ExitCode = RunCountryProgram(commandLine);
  else if (SameFileName(file->name, "qvsetup3.exe"))
    result.ExitCode = standins_->RunDeviceProgram(DirectoryOf(path), commandLine);
  return result;
}

// The interpreter runs the batch file to its end: the file's scripted exit
// code, or 0; a file that it does not find is a command it does not know.
unsigned long SimulatedPrograms::RunBatchFile(const std::string& path) {
  SystemStatus status;
  const SimulatedFile* file = path.empty() ? nullptr : FileAt(machine_, path.c_str(), &status);
  if (file == nullptr || file->directory) return kCommandNotFoundExit;
  const ScriptedProgram* scripted = ScriptOf(*file);
  return scripted != nullptr ? scripted->exitCode : 0;
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
