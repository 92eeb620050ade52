#include "scenario.h"

#include <clocale>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "machine_snapshot.h"
#include "profile.h"
#include "program_image.h"
#include "reg_file.h"
#include "simulated_programs.h"
#include "simulated_registry.h"

namespace {

namespace fs = std::filesystem;

bool ReadWholeFile(const fs::path& path, std::string* content) {
  std::ifstream stream(path, std::ios::binary);
  if (!stream) return false;
  content->assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
  return true;
}

std::string ScenarioValue(const Profile& profile, const char* section, const char* key) {
  const ProfileSection* found = FindProfileSection(profile, section);
  const ProfileKey* entry = found != nullptr ? FindProfileKey(*found, key) : nullptr;
  return entry != nullptr ? ProfileValue(*entry) : std::string();
}

// Copies the files and directories below `from` into the drive at `names`.
bool CopyTree(const fs::path& from, const std::vector<std::string>& names, Machine* machine,
              std::string* error) {
  SimulatedFile* directory = MakeDirectories(&machine->disk, names);
  if (directory == nullptr) {
    *error = "a file stands where a directory goes: " + from.string();
    return false;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
    std::vector<std::string> below = names;
    below.push_back(entry.path().filename().string());
    if (entry.is_directory()) {
      if (!CopyTree(entry.path(), below, machine, error)) return false;
      continue;
    }
    std::string content;
    if (!ReadWholeFile(entry.path(), &content)) {
      *error = "can not read " + entry.path().string();
      return false;
    }
    PutMachineFile(&machine->disk, below, content);
  }
  return true;
}

// A name of the machine in capitals as UTF-8 text in JSON: the code page's
// characters, each in capitals by the Unicode tables.
std::string JsonName(const RegistryModel& registry, const std::string& text, bool capitals) {
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  std::string json = "\"";
  for (const CodePageCharacter& c : CodePageCharacters(registry.codePage, text)) {
    uint32_t point = c.codePoint;
    if (capitals && unicode != nullptr)
      point = static_cast<uint32_t>(towupper_l(static_cast<wint_t>(point), unicode));
    if (point == '"' || point == '\\') {
      json += '\\';
      json += static_cast<char>(point);
    } else if (point < 0x20) {
      char escape[8];
      snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(point));
      json += escape;
    } else if (point < 0x80) {
      json += static_cast<char>(point);
    } else if (point < 0x800) {
      json += static_cast<char>(0xC0 | point >> 6);
      json += static_cast<char>(0x80 | (point & 0x3F));
    } else {
      json += static_cast<char>(0xE0 | point >> 12);
      json += static_cast<char>(0x80 | (point >> 6 & 0x3F));
      json += static_cast<char>(0x80 | (point & 0x3F));
    }
  }
  return json + "\"";
}

std::string TypeName(unsigned long type) {
  switch (type) {
    case kRegistryString:
      return "sz";
    case kRegistryExpandString:
      return "expand_sz";
    case kRegistryBinary:
      return "binary";
    case kRegistryNumber:
      return "dword";
    default:
      return "type" + std::to_string(type);
  }
}

// Each key of the tree: its path below HKEY_LOCAL_MACHINE in capitals and
// the text of its values.
void CollectTree(const RegistryModel& registry, const ModelKey& key, const std::string& path,
                 std::map<std::string, std::string>* keys) {
  std::string values;
  for (const ModelValue* value : ValuesInOrder(registry, key)) {
    values += values.empty() ? "" : ", ";
    values += value->name.empty() ? std::string("\"@\"") : JsonName(registry, value->name, true);
    values += ": \"" + TypeName(value->type) + ":" + HexText(value->data, "") + "\"";
  }
  (*keys)[path] = "{" + values + "}";
  for (const ModelKey* subkey : SubkeysInOrder(registry, key))
    CollectTree(registry, *subkey, path + "\\" + subkey->name, keys);
}

void PrintList(FILE* out, const RegistryModel& registry, const std::vector<std::string>& items) {
  fputc('[', out);
  for (size_t i = 0; i < items.size(); ++i)
    fprintf(out, "%s%s", i > 0 ? ", " : "", JsonName(registry, items[i], false).c_str());
  fputc(']', out);
}

// The path of a file in the form of MachineFiles' keys.
std::string SnapshotKey(const std::string& path) {
  std::vector<std::string> names;
  if (SplitFilePath(path.c_str(), "C:\\", &names) != kStatusSuccess) return std::string();
  std::string key = "C:";
  for (const std::string& name : names) key += "\\" + name;
  return FileNameCapitals(key);
}

// The lines that the run added to the installation log (qvsetup.ini's
// LogFile, a relative name beside setup.exe), each without the timestamp
// that begins it; null when there is no log.
std::string LogLinesJson(const Machine& machine, const MachineFiles& before,
                         const MachineFiles& after) {
  const size_t kTimestampLength = 24;  // "YYYY-MM-DD HH:MM:SS.mmm "
  const auto options = after.find(SnapshotKey(machine.programDir + "\\qvsetup.ini"));
  if (options == after.end()) return "null";
  Profile profile;
  ReadProfile(options->second.content, &profile);
  const std::string name = ScenarioValue(profile, "INSTALL_OPTIONS", "LogFile");
  if (name.empty()) return "null";
  const bool whole = name.size() > 1 && (name[1] == ':' || name[0] == '\\');
  const auto log = after.find(SnapshotKey(whole ? name : machine.programDir + "\\" + name));
  if (log == after.end()) return "null";
  const auto earlier = before.find(log->first);
  const std::string& text = log->second.content;
  const std::string* earlierText = earlier != before.end() ? &earlier->second.content : nullptr;
  const size_t start = earlierText != nullptr &&
                               text.compare(0, earlierText->size(), *earlierText) == 0
                           ? earlierText->size()
                           : 0;
  std::vector<std::string> lines;
  std::istringstream added(text.substr(start));
  for (std::string line; std::getline(added, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty())
      lines.push_back(line.size() > kTimestampLength ? line.substr(kTimestampLength) : "");
  }
  std::string json = "[";
  for (size_t i = 0; i < lines.size(); ++i)
    json += (i > 0 ? ", " : "") + JsonName(machine.registry, lines[i], false);
  return json + "]";
}

uint32_t RotateLeft(uint32_t value, int bits) { return value << bits | value >> (32 - bits); }

}  // namespace

bool LoadScenario(const std::string& directory, Scenario* scenario, std::string* error) {
  const fs::path root(directory);
  std::string text;
  if (!ReadWholeFile(root / "scenario.ini", &text)) {
    *error = "no scenario.ini in " + directory;
    return false;
  }
  Profile profile;
  ReadProfile(text, &profile);
  const std::string className = ScenarioValue(profile, "Scenario", "Class");
  const ClassName* known = FindClassName(className.c_str());
  if (known == nullptr) {
    *error = "unknown Class \"" + className + "\"";
    return false;
  }
  Machine& machine = scenario->machine;
  const std::string platform = ScenarioValue(profile, "Scenario", "Platform");
  StartMachine(&machine, known->osClass, !SameNameIgnoringCase(platform, "windows"));
  scenario->commandLine = ScenarioValue(profile, "Scenario", "CommandLine");
  machine.administrator = ScenarioValue(profile, "Scenario", "Administrator") != "0";
  machine.anotherSetupRuns = ScenarioValue(profile, "Scenario", "AnotherSetupRuns") == "1";
  machine.startTime = strtoll(ScenarioValue(profile, "Scenario", "Time").c_str(), nullptr, 10);
  const std::string windowsDir = ScenarioValue(profile, "Scenario", "WindowsDir");
  const std::string systemDir = ScenarioValue(profile, "Scenario", "SystemDir");
  const std::string mediumDir = ScenarioValue(profile, "Scenario", "MediumDir");
  if (!windowsDir.empty()) machine.windowsDir = windowsDir;
  if (!systemDir.empty()) machine.systemDir = systemDir;
  machine.programDir = mediumDir.empty() ? "C:\\medium" : mediumDir;
  machine.currentDir = "C:\\";
  scenario->compareKeys.clear();
  if (const ProfileSection* compare = FindProfileSection(profile, "Compare")) {
    for (const ProfileKey& key : compare->keys) {
      if (IsListedKey(key)) scenario->compareKeys.push_back(ProfileValue(key));
    }
  }

  AddStandardDirectories(&machine);
  if (fs::is_directory(root / "machine") &&
      !AddHostFiles((root / "machine").string(), "C:\\", &machine, error))
    return false;
  if (!fs::is_directory(root / "medium")) {
    *error = "no medium directory in " + directory;
    return false;
  }
  if (!AddHostFiles((root / "medium").string(), machine.programDir, &machine, error)) return false;

  std::string registry;
  unsigned badLine = 0;
  if (ReadWholeFile(root / "machine.reg", &registry) &&
      !ReadRegedit4(registry, &machine.registry, &badLine)) {
    *error = "machine.reg line " + std::to_string(badLine) + " is no REGEDIT4 line";
    return false;
  }
  return true;
}

void AddStandardDirectories(Machine* machine) {
  for (const std::string& path :
       {machine->windowsDir, machine->systemDir, machine->windowsDir + "\\INF",
        machine->windowsDir + "\\system32\\drivers"})
    MakeDirectories(&machine->disk, DrivePathNames(path));
}

bool AddHostFiles(const std::string& hostDirectory, const std::string& machineDirectory,
                  Machine* machine, std::string* error) {
  return CopyTree(hostDirectory, DrivePathNames(machineDirectory), machine, error);
}

bool StartSampleMachine(const std::string& sourceDir, OsClass osClass, bool testPlatform,
                        Machine* machine, std::string* error) {
  static const char* const kProgramFiles[] = {"setup.exe",          "qvsmzad.exe",
                                              "qvremove.exe",       "QVSETUP1.DLL",
                                              "QVSETUP2.DLL",       "qvsetup3.exe",
                                              "standin_record.exe", "standin_service.exe"};
  StartMachine(machine, osClass, testPlatform);
  machine->windowsDir = "C:\\windows";
  machine->systemDir = "C:\\windows\\system32";
  machine->programDir = "C:\\medium";
  machine->startTime = 1700000000;
  AddStandardDirectories(machine);
  if (!AddHostFiles(sourceDir + "/medium/content", machine->programDir, machine, error))
    return false;
  SimulatedFile* medium = MakeDirectories(&machine->disk, DrivePathNames(machine->programDir));
  std::string sample;
  if (!ReadWholeFile(fs::path(sourceDir) / "qvsmzad" / "QVSMzad.ini", &sample)) {
    *error = "no qvsmzad/QVSMzad.ini in " + sourceDir;
    return false;
  }
  WriteContent(&machine->disk, AddEntry(medium, "QVSMzad.ini", false), sample);
  for (const char* name : kProgramFiles) {
    const std::vector<std::string> exports = SetupLibraryExports(name);
    WriteContent(&machine->disk, AddEntry(medium, name, false),
                 exports.empty() ? ProgramImage() : LibraryImage(exports));
  }
  return true;
}

void PrintResultJson(FILE* out, const SimulatedRunResult& result, const Scenario& scenario,
                     const MachineFiles& before) {
  const Machine& machine = scenario.machine;
  const RegistryModel& registry = machine.registry;
  if (result.waitsForever)
    fprintf(out, "{\"exit_code\": null, \"waits_forever\": true");
  else
    fprintf(out, "{\"exit_code\": %d, \"waits_forever\": false", result.exitCode);

  std::vector<std::string> entries;
  for (const std::string& line : result.standinCalls)
    entries.push_back(line.substr(0, line.find('(')));
  fprintf(out, ",\n \"library_calls\": ");
  PrintList(out, registry, entries);
  fprintf(out, ",\n \"programs\": ");
  PrintList(out, registry, result.programs);

  std::map<std::string, std::string> keys;
  for (const std::string& root : scenario.compareKeys) {
    const ModelKey* key = FindModelKey(registry, &registry.machine, root.c_str());
    if (key != nullptr) {
      const std::string full = FullKeyName(key);
      CollectTree(registry, *key, full.substr(full.find('\\') + 1), &keys);
    }
  }
  fprintf(out, ",\n \"registry\": {");
  const char* separator = "";
  for (const auto& key : keys) {
    fprintf(out, "%s\n  %s: %s", separator, JsonName(registry, key.first, true).c_str(),
            key.second.c_str());
    separator = ",";
  }
  fprintf(out, "}");

  const MachineFiles after = SnapshotFiles(machine.disk);
  std::map<std::string, std::string> changes;
  for (const FileChange& change : FileChanges(before, after)) {
    changes[JsonName(registry, change.key, true)] =
        change.content != nullptr ? "\"sha1:" + Sha1Hex(*change.content) + "\"" : "null";
  }
  fprintf(out, ",\n \"files\": {");
  separator = "";
  for (const auto& change : changes) {
    fprintf(out, "%s\n  %s: %s", separator, change.first.c_str(), change.second.c_str());
    separator = ",";
  }
  fprintf(out, "},\n \"log\": %s", LogLinesJson(machine, before, after).c_str());
  fprintf(out, ",\n \"calls\": ");
  PrintList(out, registry, result.calls);
  fprintf(out, "}\n");
}

std::string Sha1Hex(const std::string& bytes) {
  uint32_t state[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
  std::string message = bytes;
  const uint64_t bits = static_cast<uint64_t>(bytes.size()) * 8;
  message += static_cast<char>(0x80);
  while (message.size() % 64 != 56) message += '\0';
  for (int i = 7; i >= 0; --i) message += static_cast<char>(bits >> (8 * i) & 0xFF);
  for (size_t block = 0; block < message.size(); block += 64) {
    uint32_t w[80];
    for (int i = 0; i < 16; ++i) {
      const unsigned char* p =
          reinterpret_cast<const unsigned char*>(message.data()) + block + 4 * i;
      w[i] = static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
    }
    for (int i = 16; i < 80; ++i) w[i] = RotateLeft(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    for (int i = 0; i < 80; ++i) {
      uint32_t f, k;
      if (i < 20) {
        f = (b & c) | (~b & d);
        k = 0x5A827999;
      } else if (i < 40) {
        f = b ^ c ^ d;
        k = 0x6ED9EBA1;
      } else if (i < 60) {
        f = (b & c) | (b & d) | (c & d);
        k = 0x8F1BBCDC;
      } else {
        f = b ^ c ^ d;
        k = 0xCA62C1D6;
      }
      const uint32_t next = RotateLeft(a, 5) + f + e + k + w[i];
      e = d;
      d = c;
      c = RotateLeft(b, 30);
      b = a;
      a = next;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
  }
  char hex[41];
  for (int i = 0; i < 5; ++i) snprintf(hex + 8 * i, 9, "%08x", state[i]);
  return hex;
}
