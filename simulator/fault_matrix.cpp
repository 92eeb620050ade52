#include "fault_matrix.h"

#include <cstdio>

#include "reg_file.h"
#include "scenario.h"
#include "simulated_run.h"
#include "standin_entries.h"

namespace {

const char kSetupKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
const char kWindowsSourcePath[] = "C:\\WINDOWS\\OPTIONS\\CABS";
const char kTimeStampName[] = "HOMOLTIMESTAMP";
const char kFileMark[] = "file ";
const char kTypeMark[] = "type ";
const unsigned long kKeptAttributes = kAttributeReadOnly | kAttributeHidden | kAttributeSystem;
// The driver's directories on the sample machine (StartSampleMachine).
const char kInfDirectory[] = "C:\\WINDOWS\\INF";
const char* const kDriverFileDirectories[] = {kWindowsSourcePath, "C:\\WINDOWS\\SYSTEM32",
                                              "C:\\WINDOWS\\SYSTEM32\\DRIVERS"};

std::string Capitals(std::string text) {
  for (char& c : text) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return text;
}

void AddKey(const ModelKey& key, const std::string& path, MachineState* state) {
  (*state)[path] = "key";
  for (const ModelValue& value : key.values) {
    const std::string name = Capitals(value.name);
    (*state)[path + " : " + name] =
        kTypeMark + std::to_string(value.type) +
        (name == kTimeStampName ? std::string(" (the time)") : " " + HexText(value.data, ""));
  }
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys)
    AddKey(*subkey, path + "\\" + Capitals(subkey->name), state);
}

void AddFiles(const SimulatedFile& directory, const std::string& path, unsigned long kept,
              MachineState* state) {
  for (const std::unique_ptr<SimulatedFile>& entry : directory.entries) {
    const std::string below = path + "\\" + FileNameCapitals(entry->name);
    if (entry->directory) {
      (*state)[below] = "directory";
      AddFiles(*entry, below, kept, state);
    } else {
      char attributes[16];
      snprintf(attributes, sizeof attributes, "%02lx ", entry->attributes & kept);
      (*state)[below] = kFileMark + std::string(attributes) + entry->content;
    }
  }
}

// The driver component that an entry of a state belongs to, the entry
// itself for a file; empty for none. recordPrefixes: the Modem classes'
// keys, each with a backslash.
std::string DriverComponentOf(const std::string& name, const std::string& data,
                              const std::string (&recordPrefixes)[2]) {
  if (IsFileEntry(name, data)) {
    const std::string directory = name.substr(0, name.rfind('\\'));
    if (directory == kInfDirectory && name.size() > 4 &&
        name.compare(name.size() - 4, 4, ".INF") == 0)
      return name;
    for (const char* driverDirectory : kDriverFileDirectories) {
      if (directory == driverDirectory) return name;
    }
    return std::string();
  }
  for (const std::string& prefix : recordPrefixes) {
    if (name.compare(0, prefix.size(), prefix) == 0)
      return name.substr(0, name.find_first_of("\\ ", prefix.size()));
  }
  return std::string();
}

// A state's driver components, each with its entries; a file by its
// content.
typedef std::map<std::string, MachineState> DriverComponents;
DriverComponents DriverComponentsOf(const MachineState& state) {
  const std::string recordPrefixes[2] = {"HKLM\\" + Capitals(Win9xModemClass) + "\\",
                                         "HKLM\\" + Capitals(NTModemClass) + "\\"};
  DriverComponents components;
  for (const auto& entry : state) {
    const std::string component = DriverComponentOf(entry.first, entry.second, recordPrefixes);
    if (component.empty()) continue;
    components[component][entry.first] = IsFileEntry(entry.first, entry.second)
                                             ? entry.second.substr(sizeof kFileMark - 1 + 3)
                                             : entry.second;
  }
  return components;
}

}  // namespace

bool StartMatrixMachine(const std::string& sourceDir, const MatrixRun& run, MatrixMachine kind,
                        Machine* machine, std::string* error) {
  if (!StartSampleMachine(sourceDir, run.osClass, false, machine, error)) return false;
  RegistryModel* registry = &machine->registry;
  ModelValue before;
  SetModelValue(registry, CreateModelKey(registry, &registry->machine, kSetupKey, 0).key,
                "SourcePath", kRegistryString, std::string(kWindowsSourcePath) + '\0', 0, &before);
  std::vector<std::string> names;
  SplitFilePath(machine->programDir.c_str(), "C:\\", &names);
  SystemStatus status;
  SimulatedFile* medium = FindFile(&machine->disk, names, &status);
  if (run.standins[0] != '\0')
    WriteContent(&machine->disk, AddEntry(medium, "qvstandin.ini", false), run.standins);
  if (kind == kWithoutInstallation) return true;
  // An older version's medium: every file but the options files differs.
  std::vector<std::string> current;
  for (const std::unique_ptr<SimulatedFile>& file : medium->entries) {
    current.push_back(file->content);
    const std::string name = FileNameCapitals(file->name);
    const bool options = name.size() > 4 && name.compare(name.size() - 4, 4, ".INI") == 0;
    if (kind == kOlderInstallation && !options)
      WriteContent(&machine->disk, file.get(), file->content + "; an older version\r\n");
  }
  const SimulatedRunResult result = RunSetupOn(*machine, "S");
  for (size_t i = 0; i < current.size(); ++i)
    WriteContent(&machine->disk, medium->entries[i].get(), current[i]);
  if (result.exitCode == 0 && !result.waitsForever) return true;
  *error = std::string("the clean run of ") + run.name + " fails";
  return false;
}

MachineState StateOf(const Machine& machine, ArchiveBit archiveBit) {
  MachineState state;
  AddKey(machine.registry.machine, "HKLM", &state);
  AddFiles(machine.disk.root, "C:",
           archiveBit == kWithArchiveBit ? kKeptAttributes | kAttributeArchive : kKeptAttributes,
           &state);
  return state;
}

MatrixEnd EndOfRun(const MachineState& before, const MachineState& clean,
                   const MachineState& after) {
  if (after == before) return kAsBefore;
  return after == clean ? kAsInstalled : kBroken;
}

bool HasWorkingInstallation(const MachineState& before, const MachineState& clean,
                            const MachineState& after) {
  const DriverComponents earlier = DriverComponentsOf(before), now = DriverComponentsOf(after);
  for (const auto& component : DriverComponentsOf(clean)) {
    const auto found = now.find(component.first), was = earlier.find(component.first);
    if (found == now.end() || (found->second != component.second &&
                               (was == earlier.end() || found->second != was->second)))
      return false;
  }
  return true;
}

std::string EntryData(const MachineState& state, const std::string& name) {
  const auto found = state.find(name);
  return found != state.end() ? found->second : std::string();
}

std::string ValueBytes(const std::string& data) {
  const size_t type = data.find(' ', sizeof kTypeMark - 1);
  return data.compare(0, sizeof kTypeMark - 1, kTypeMark) == 0 && type != std::string::npos
             ? data.substr(type + 1)
             : std::string();
}

bool IsFileEntry(const std::string& name, const std::string& data) {
  return name.compare(0, 2, "C:") == 0 && data.compare(0, sizeof kFileMark - 1, kFileMark) == 0;
}

std::string EntryText(const MachineState& state, const std::string& name) {
  const auto found = state.find(name);
  if (found == state.end()) return "absent";
  const std::string& data = found->second;
  if (!IsFileEntry(name, data)) return data;
  const size_t header = sizeof kFileMark - 1 + 3;
  return "a file of " + std::to_string(data.size() - header) + " bytes, attributes " +
         data.substr(sizeof kFileMark - 1, 2);
}
