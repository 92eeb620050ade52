#include "simulated_environment.h"

#include <algorithm>
#include <cstring>

#include "profile.h"

namespace {

std::string JoinedPath(const std::vector<std::string>& names) {
  std::string path = "C:";
  for (const std::string& name : names) path += "\\" + name;
  return names.empty() ? path + "\\" : path;
}

// The path into out when it fits size bytes: its length; the size needed
// otherwise.
unsigned long AnswerPath(const std::string& path, char* out, unsigned long size) {
  if (size <= path.size()) return static_cast<unsigned long>(path.size() + 1);
  memcpy(out, path.c_str(), path.size() + 1);
  return static_cast<unsigned long>(path.size());
}

// A variable's value as the machine's environment holds it: the NT family
// sets COMPUTERNAME, the 9x family does not; ComSpec names the family's
// command interpreter. False for a variable that the machine lacks.
bool EnvironmentValue(const Machine& machine, const std::string& name, std::string* value) {
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  const bool nt = !IsWindows9xClass(machine.osClass);
  if (upper == "WINDIR")
    *value = machine.windowsDir;
  else if (upper == "COMSPEC")
    *value = CommandInterpreterPath(machine);
  else if (upper == "COMPUTERNAME" && nt)
    *value = machine.computerName;
  else if (upper == "TEMP" || upper == "TMP")
    *value = machine.windowsDir + "\\TEMP";
  else
    return false;
  return true;
}

// Every section's name, or with a section every key name of it, into out
// as the reader fills its buffer.
unsigned long NameList(const Machine& machine, const Profile& profile, const char* section,
                       char* out, unsigned long size) {
  std::vector<ProfileKey> names;
  if (section == nullptr) {
    for (size_t i = 1; i < profile.sections.size(); ++i)
      names.push_back({profile.sections[i].name, true, "", 0, false, 0, 0});
  } else if (const ProfileSection* listed = FindProfileSection(profile, section)) {
    for (const ProfileKey& each : listed->keys) {
      if (IsListedKey(each)) names.push_back(each);
    }
  }
  std::vector<const ProfileKey*> list;
  for (const ProfileKey& each : names) list.push_back(&each);
  // The test platform fills it as NT does in every version mode.
  NameListForm form = kNtNameList;
  if (IsWindows9xClass(machine.osClass) && !machine.testPlatform)
    form = section == nullptr ? kNineXSectionList : kNineXKeyList;
  return static_cast<unsigned long>(FillKeyList(list, out, size, form));
}

}  // namespace

std::string CommandInterpreterPath(const Machine& machine) {
  return IsWindows9xClass(machine.osClass) ? machine.windowsDir + "\\COMMAND.COM"
                                           : machine.systemDir + "\\cmd.exe";
}

SimulatedEnvironment::SimulatedEnvironment(SimulatedProcess* process)
    : machine_(process->machine) {}

const std::string& SimulatedEnvironment::CurrentDirectoryPath() const {
  return machine_->currentDir;
}

const std::string& SimulatedEnvironment::WindowsDirectoryPath() const {
  return machine_->windowsDir;
}

const std::string& SimulatedEnvironment::SystemDirectoryPath() const { return machine_->systemDir; }

std::string SimulatedEnvironment::ProgramFilePath() const {
  return InDirectory(machine_->programDir, machine_->programName);
}

unsigned long SimulatedEnvironment::CurrentDirectory(char* out, unsigned long size) {
  return AnswerPath(CurrentDirectoryPath(), out, size);
}

bool SimulatedEnvironment::ChangeDirectory(const char* path) {
  std::vector<std::string> names;
  SystemStatus status = SplitFilePath(path, machine_->currentDir, &names);
  const SimulatedFile* directory =
      status == kStatusSuccess ? FindFile(&machine_->disk, names, &status) : nullptr;
  const bool changed = directory != nullptr && directory->directory;
  if (changed) machine_->currentDir = JoinedPath(names);
  return changed;
}

unsigned long SimulatedEnvironment::WindowsDirectory(char* out, unsigned long size) {
  return AnswerPath(WindowsDirectoryPath(), out, size);
}

unsigned long SimulatedEnvironment::SystemDirectory(char* out, unsigned long size) {
  return AnswerPath(SystemDirectoryPath(), out, size);
}

unsigned long SimulatedEnvironment::ProgramFile(char* out, unsigned long size) {
  return AnswerPath(ProgramFilePath(), out, size);
}

bool SimulatedEnvironment::ShortForm(const char* path, std::string* shortForm,
                                     SystemStatus* status) const {
  const SimulatedFile* file = FileAt(machine_, path, status);
  if (file != nullptr) *shortForm = ShortPathOf(machine_->disk, *file);
  return file != nullptr;
}

unsigned long SimulatedEnvironment::ShortPath(const char* path, char* out, unsigned long size) {
  std::string shortForm;
  SystemStatus status;
  return ShortForm(path, &shortForm, &status) ? AnswerPath(shortForm, out, size) : 0;
}

std::string SimulatedEnvironment::Expanded(const char* text) const {
  std::string expanded;
  for (const char* at = text; *at;) {
    const char* end = *at == '%' ? strchr(at + 1, '%') : nullptr;
    std::string value;
    if (end && EnvironmentValue(*machine_, std::string(at + 1, end), &value)) {
      expanded += value;
      at = end + 1;
    } else {
      expanded += *at++;
    }
  }
  return expanded;
}

// The answer counts its terminator.
unsigned long SimulatedEnvironment::ExpandVariables(const char* text, char* out,
                                                    unsigned long size) {
  const std::string expanded = Expanded(text);
  const unsigned long needed = static_cast<unsigned long>(expanded.size() + 1);
  if (needed > size) {
    // The test platform writes what fits of the answer.
    if (machine_->testPlatform && size > 0) {
      memcpy(out, expanded.data(), size - 1);
      out[size - 1] = '\0';
    }
    return needed;
  }
  memcpy(out, expanded.c_str(), needed);
  // NT 4.0 counts the bytes of its Unicode answer.
  return machine_->osClass == kOsClassNT4 && !machine_->testPlatform ? 2 * needed : needed;
}

bool SimulatedEnvironment::ComputerName(char* out, unsigned long size) {
  const bool fits = machine_->computerName.size() < size;
  if (fits) memcpy(out, machine_->computerName.c_str(), machine_->computerName.size() + 1);
  return fits;
}

unsigned long SimulatedEnvironment::ProfileString(const char* section, const char* key, char* out,
                                                  unsigned long size, const char* file) {
  // A bare file name lies in the Windows directory.
  const std::string path = strpbrk(file, "\\/:") != nullptr
                               ? std::string(file)
                               : InDirectory(machine_->windowsDir, file);
  bool exists;
  Profile profile;
  ReadProfileFile(machine_, path, &profile, &exists);
  if (size > 0) out[0] = '\0';
  if (section == nullptr || key == nullptr) return NameList(*machine_, profile, section, out, size);
  if (size == 0) return 0;
  const ProfileSection* keySection = FindProfileSection(profile, section);
  const ProfileKey* foundKey = keySection != nullptr ? FindProfileKey(*keySection, key) : nullptr;
  const std::string value = foundKey != nullptr ? ProfileValue(*foundKey) : std::string();
  const unsigned long length = static_cast<unsigned long>(std::min<size_t>(value.size(), size - 1));
  memcpy(out, value.data(), length);
  out[length] = '\0';
  return length;
}
