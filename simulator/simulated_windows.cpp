#include "simulated_windows.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_set>

#include "profile.h"

namespace {

const unsigned long kErrorBoxesSuppressed =
    0x8001;  // SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX

template <typename Handle>
Handle HandleOf(size_t index) {
  return reinterpret_cast<Handle>(static_cast<uintptr_t>(index + 1));
}

template <typename Handle>
size_t IndexOf(Handle handle) {
  return static_cast<size_t>(reinterpret_cast<uintptr_t>(handle)) - 1;
}

std::string Quoted(const char* text) {
  return text == nullptr ? std::string("null") : "\"" + std::string(text) + "\"";
}

std::string Hex(const unsigned char* data, size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (size_t i = 0; i < size; ++i) {
    hex += kDigits[data[i] >> 4];
    hex += kDigits[data[i] & 15];
  }
  return hex;
}

// A value's data as the record shows it: a string in quotation marks, a
// number in decimal, anything else in hexadecimal digits.
std::string DataText(unsigned long type, const unsigned char* data, size_t size) {
  if ((type == kRegistryString || type == kRegistryExpandString) && data != nullptr) {
    const size_t length = strnlen(reinterpret_cast<const char*>(data), size);
    return "\"" + std::string(reinterpret_cast<const char*>(data), length) + "\"";
  }
  if (type == kRegistryNumber && size == 4 && data != nullptr)
    return std::to_string(data[0] | data[1] << 8 | data[2] << 16 |
                          static_cast<unsigned long>(data[3]) << 24);
  return "hex:" + Hex(data, data != nullptr ? size : 0);
}

SystemStatus StatusOfFault(PathFault fault) {
  switch (fault) {
    case kPathUsable:
      return kStatusSuccess;
    case kPathLeadingBackslash:
      return kStatusBadPathname;
    case kRegistryPathTooLong:
      return kStatusFilenameTooLong;
    case kPathMissing:
      return kStatusFileNotFound;
    case kPathNameTooLong:
    case kValueNameRefused:
    case kValueDataRefused:
      break;
  }
  return kStatusInvalidParameter;
}

// Copies name (terminated) into out when it fits size bytes, as the
// enumeration calls do: ERROR_MORE_DATA otherwise.
SystemStatus CopyName(const std::string& name, char* out, unsigned long* size) {
  if (*size <= name.size()) return kStatusMoreData;
  memcpy(out, name.c_str(), name.size() + 1);
  *size = static_cast<unsigned long>(name.size());
  return kStatusSuccess;
}

// The data of a value into data (dataSize bytes in, the data's size out):
// ERROR_MORE_DATA when it does not fit; only the size without a buffer.
SystemStatus CopyData(const std::string& bytes, unsigned char* data, unsigned long* dataSize) {
  if (dataSize == nullptr) return data == nullptr ? kStatusSuccess : kStatusInvalidParameter;
  const unsigned long needed = static_cast<unsigned long>(bytes.size());
  if (data != nullptr && *dataSize < needed) {
    *dataSize = needed;
    return kStatusMoreData;
  }
  if (data != nullptr) memcpy(data, bytes.data(), bytes.size());
  *dataSize = needed;
  return kStatusSuccess;
}

void CollectKeys(const ModelKey& key, std::unordered_set<const ModelKey*>* keys) {
  keys->insert(&key);
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys) CollectKeys(*subkey, keys);
}

bool IsNameSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

std::string JoinedPath(const std::vector<std::string>& names) {
  std::string path = "C:";
  for (const std::string& name : names) path += "\\" + name;
  return names.empty() ? path + "\\" : path;
}

std::string InDirectory(const std::string& directory, const std::string& name) {
  return !directory.empty() && directory.back() == '\\' ? directory + name
                                                        : directory + "\\" + name;
}

// Days since 1970-01-01 as a civil date (the proleptic Gregorian calendar).
void CivilDate(long long days, unsigned* year, unsigned* month, unsigned* day) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
  *day = static_cast<unsigned>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  *month = static_cast<unsigned>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  *year = static_cast<unsigned>(yearOfEra + era * 400 + (*month <= 2 ? 1 : 0));
}

}  // namespace

std::vector<const ModelKey*> SubkeysInOrder(const RegistryModel& registry, const ModelKey& key) {
  std::vector<const ModelKey*> subkeys;
  for (const std::unique_ptr<ModelKey>& subkey : key.subkeys) subkeys.push_back(subkey.get());
  if (TestPlatform(registry.platform)) {
    std::sort(subkeys.begin(), subkeys.end(), [](const ModelKey* a, const ModelKey* b) {
      return a->folded.characters < b->folded.characters;
    });
  }
  return subkeys;
}

std::vector<const ModelValue*> ValuesInOrder(const RegistryModel& registry, const ModelKey& key) {
  std::vector<const ModelValue*> values;
  for (const ModelValue& value : key.values) values.push_back(&value);
  if (TestPlatform(registry.platform)) {
    std::sort(values.begin(), values.end(), [](const ModelValue* a, const ModelValue* b) {
      return a->folded.characters < b->folded.characters;
    });
  }
  return values;
}

SimulatedWindows::SimulatedWindows(Machine* machine, const FaultPlan& plan)
    : machine_(machine), plan_(plan), clock_(0), quitPosted_(false), exitCode_(0), errorMode_(0) {}

SimulatedWindows::~SimulatedWindows() {
  for (OpenFileRecord& record : files_) {
    if (record.open) --record.file->openByRun;
  }
}

void SimulatedWindows::Record(const std::string& line) {
  calls_.push_back(line);
  if (calls_.size() == plan_.cutAfter) throw ProcessCut();
}

bool SimulatedWindows::PlannedFailure(SystemStatus* status) const {
  if (calls_.size() + 1 != plan_.failCall) return false;
  *status = plan_.failStatus;
  return true;
}

SystemStatus SimulatedWindows::RecordFailure(const std::string& call, SystemStatus status) {
  Record(call + " = " + std::to_string(status) + " planned");
  return status;
}

// ---------------------------------------------------------------- registry

ModelKey* SimulatedWindows::KeyOf(KeyHandle key, bool writing, SystemStatus* status) {
  const size_t index = IndexOf(key);
  if (key == nullptr || index >= keys_.size() || !keys_[index].open) {
    *status = kStatusInvalidHandle;
    return nullptr;
  }
  const OpenKeyRecord& record = keys_[index];
  if (record.key == nullptr) {
    *status = kStatusKeyDeleted;
    return nullptr;
  }
  // The registry of Windows 9x checks no access rights.
  if (writing && !record.writable && machine_->registry.platform != kPlatform9x) {
    *status = kStatusAccessDenied;
    return nullptr;
  }
  *status = kStatusSuccess;
  return record.key;
}

void SimulatedWindows::ForgetDeletedKeys() {
  bool anyOpen = false;
  for (const OpenKeyRecord& record : keys_) anyOpen = anyOpen || (record.open && record.key);
  if (!anyOpen) return;
  std::unordered_set<const ModelKey*> alive;
  CollectKeys(machine_->registry.machine, &alive);
  for (OpenKeyRecord& record : keys_) {
    if (record.key != nullptr && alive.count(record.key) == 0) record.key = nullptr;
  }
}

SystemStatus SimulatedWindows::OpenKey(const char* path, KeyAccess access, KeyHandle* key) {
  SystemStatus status;
  if (PlannedFailure(&status)) return RecordFailure("OpenKey " + Quoted(path), status);
  RegistryModel* registry = &machine_->registry;
  const KeyReach reach = OpenModelKey(registry, &registry->machine, path ? path : "");
  status = StatusOfFault(reach.fault);
  std::string handle;
  if (reach.key != nullptr) {
    keys_.push_back({reach.key, access == kKeyAllAccess, true});
    *key = HandleOf<KeyHandle>(keys_.size() - 1);
    handle = " k" + std::to_string(keys_.size());
    status = kStatusSuccess;
  }
  Record("OpenKey " + Quoted(path) + (access == kKeyAllAccess ? " all" : " read") + " = " +
         std::to_string(status) + handle);
  return status;
}

SystemStatus SimulatedWindows::CreateKey(const char* path, KeyHandle* key) {
  SystemStatus status;
  if (PlannedFailure(&status)) return RecordFailure("CreateKey " + Quoted(path), status);
  RegistryModel* registry = &machine_->registry;
  const KeyReach reach = CreateModelKey(registry, &registry->machine, path ? path : "", 0);
  status = StatusOfFault(reach.fault);
  std::string handle;
  if (reach.key != nullptr) {
    keys_.push_back({reach.key, true, true});
    *key = HandleOf<KeyHandle>(keys_.size() - 1);
    handle = " k" + std::to_string(keys_.size()) + (reach.created ? " created" : " opened");
    status = kStatusSuccess;
  }
  Record("CreateKey " + Quoted(path) + " = " + std::to_string(status) + handle);
  return status;
}

void SimulatedWindows::CloseKey(KeyHandle key) {
  const size_t index = IndexOf(key);
  if (key != nullptr && index < keys_.size()) keys_[index].open = false;
  Record("CloseKey k" + std::to_string(index + 1));
}

SystemStatus SimulatedWindows::EnumKey(KeyHandle key, unsigned long index, char* name,
                                       unsigned long* nameSize) {
  SystemStatus status;
  if (PlannedFailure(&status))
    return RecordFailure("EnumKey k" + std::to_string(IndexOf(key) + 1), status);
  const ModelKey* open = KeyOf(key, false, &status);
  std::string found;
  if (open != nullptr) {
    const std::vector<const ModelKey*> subkeys = SubkeysInOrder(machine_->registry, *open);
    if (index >= subkeys.size()) {
      status = kStatusNoMoreItems;
    } else {
      status = CopyName(subkeys[index]->name, name, nameSize);
      found = " " + Quoted(subkeys[index]->name.c_str());
    }
  }
  Record("EnumKey k" + std::to_string(IndexOf(key) + 1) + " " + std::to_string(index) + " = " +
         std::to_string(status) + found);
  return status;
}

SystemStatus SimulatedWindows::EnumValue(KeyHandle key, unsigned long index, char* name,
                                         unsigned long* nameSize, unsigned char* data,
                                         unsigned long* dataSize) {
  SystemStatus status;
  if (PlannedFailure(&status))
    return RecordFailure("EnumValue k" + std::to_string(IndexOf(key) + 1), status);
  const ModelKey* open = KeyOf(key, false, &status);
  std::string found;
  if (open != nullptr) {
    const std::vector<const ModelValue*> values = ValuesInOrder(machine_->registry, *open);
    if (index >= values.size()) {
      status = kStatusNoMoreItems;
    } else {
      const ModelValue& value = *values[index];
      status = CopyName(value.name, name, nameSize);
      if (status == kStatusSuccess) status = CopyData(value.data, data, dataSize);
      found = " " + Quoted(value.name.c_str()) + " " +
              DataText(value.type, reinterpret_cast<const unsigned char*>(value.data.data()),
                       value.data.size());
    }
  }
  Record("EnumValue k" + std::to_string(IndexOf(key) + 1) + " " + std::to_string(index) + " = " +
         std::to_string(status) + found);
  return status;
}

SystemStatus SimulatedWindows::QueryValue(KeyHandle key, const char* name, unsigned long* type,
                                          unsigned char* data, unsigned long* dataSize) {
  SystemStatus status;
  if (PlannedFailure(&status))
    return RecordFailure("QueryValue k" + std::to_string(IndexOf(key) + 1) + " " + Quoted(name),
                         status);
  ModelKey* open = KeyOf(key, false, &status);
  std::string found;
  if (open != nullptr) {
    unsigned undocumented = 0;
    const ModelValue* value =
        FindModelValue(machine_->registry, open, name ? name : "", &undocumented);
    if (value == nullptr) {
      status = kStatusFileNotFound;
    } else {
      if (type != nullptr) *type = value->type;
      status = CopyData(value->data, data, dataSize);
      found = " " + DataText(value->type,
                             reinterpret_cast<const unsigned char*>(value->data.data()),
                             value->data.size());
    }
  }
  Record("QueryValue k" + std::to_string(IndexOf(key) + 1) + " " + Quoted(name) + " = " +
         std::to_string(status) + found);
  return status;
}

SystemStatus SimulatedWindows::SetValue(KeyHandle key, const char* name, unsigned long type,
                                        const unsigned char* data, unsigned long size) {
  SystemStatus status;
  if (PlannedFailure(&status))
    return RecordFailure("SetValue k" + std::to_string(IndexOf(key) + 1) + " " + Quoted(name),
                         status);
  ModelKey* open = KeyOf(key, true, &status);
  if (open != nullptr) {
    ModelValue before;
    const std::string bytes(reinterpret_cast<const char*>(data), data != nullptr ? size : 0);
    status = StatusOfFault(
        SetModelValue(&machine_->registry, open, name ? name : "", type, bytes, 0, &before));
  }
  Record("SetValue k" + std::to_string(IndexOf(key) + 1) + " " + Quoted(name) + " " +
         DataText(type, data, size) + " = " + std::to_string(status));
  return status;
}

SystemStatus SimulatedWindows::DeleteValue(KeyHandle key, const char* name) {
  SystemStatus status;
  if (PlannedFailure(&status))
    return RecordFailure("DeleteValue k" + std::to_string(IndexOf(key) + 1) + " " + Quoted(name),
                         status);
  ModelKey* open = KeyOf(key, true, &status);
  if (open != nullptr)
    status = DeleteModelValue(machine_->registry, open, name ? name : "") ? kStatusSuccess
                                                                          : kStatusFileNotFound;
  Record("DeleteValue k" + std::to_string(IndexOf(key) + 1) + " " + Quoted(name) + " = " +
         std::to_string(status));
  return status;
}

SystemStatus SimulatedWindows::DeleteKey(const char* path) {
  SystemStatus status;
  if (PlannedFailure(&status)) return RecordFailure("DeleteKey " + Quoted(path), status);
  RegistryModel* registry = &machine_->registry;
  const KeyReach reach = OpenModelKey(registry, &registry->machine, path ? path : "");
  status = StatusOfFault(reach.fault);
  if (reach.key != nullptr) {
    // A key with subkeys stays on NT; on the test platform set to 9x, when
    // its walk over them stops.
    status = reach.key != &registry->machine &&
                     DeleteModelKey(registry, &registry->machine, path ? path : "")
                 ? kStatusSuccess
                 : kStatusAccessDenied;
    ForgetDeletedKeys();
  }
  Record("DeleteKey " + Quoted(path) + " = " + std::to_string(status));
  return status;
}

SystemStatus SimulatedWindows::FlushKey(KeyHandle key) {
  SystemStatus status;
  if (PlannedFailure(&status))
    return RecordFailure("FlushKey k" + std::to_string(IndexOf(key) + 1), status);
  KeyOf(key, false, &status);
  Record("FlushKey k" + std::to_string(IndexOf(key) + 1) + " = " + std::to_string(status));
  return status;
}

// ------------------------------------------------------------------- files

SimulatedFile* SimulatedWindows::FileAt(const char* path, SystemStatus* status) {
  std::vector<std::string> names;
  *status = SplitFilePath(path, machine_->currentDir, &names);
  if (*status != kStatusSuccess) return nullptr;
  return ::FindFile(&machine_->disk, names, status);
}

bool SimulatedWindows::RunCanReplace(const SimulatedFile& file, SystemStatus* status) const {
  if (file.directory || (file.attributes & kAttributeReadOnly)) {
    *status = kStatusAccessDenied;
    return false;
  }
  if (file.heldByOther || file.openByRun > 0) {
    *status = kStatusSharingViolation;
    return false;
  }
  return true;
}

std::string SimulatedWindows::DiskFileText(const std::string& path, bool* found) {
  SystemStatus status;
  const SimulatedFile* file = FileAt(path.c_str(), &status);
  *found = file != nullptr && !file->directory;
  return *found ? file->content : std::string();
}

unsigned long SimulatedWindows::FileAttributes(const char* path) {
  SystemStatus status;
  if (PlannedFailure(&status)) {
    RecordFailure("FileAttributes " + Quoted(path), status);
    return kNoSuchFile;
  }
  const SimulatedFile* file = FileAt(path, &status);
  unsigned long attributes = kNoSuchFile;
  if (file != nullptr) attributes = file->attributes != 0 ? file->attributes : kAttributeNormal;
  // The test platform keeps no archive bit: it reports every file as one to
  // archive.
  if (file != nullptr && !file->directory && machine_->testPlatform)
    attributes = (attributes & ~kAttributeNormal) | kAttributeArchive;
  char text[16];
  snprintf(text, sizeof text, "0x%lx", attributes);
  Record("FileAttributes " + Quoted(path) + " = " + text);
  return attributes;
}

SystemStatus SimulatedWindows::SetAttributes(const char* path, unsigned long attributes) {
  SystemStatus status;
  if (PlannedFailure(&status)) return RecordFailure("SetAttributes " + Quoted(path), status);
  SimulatedFile* file = FileAt(path, &status);
  if (file != nullptr) {
    const unsigned long kept = attributes & ~(kAttributeNormal | kAttributeDirectory);
    file->attributes = kept | (file->directory ? kAttributeDirectory : 0);
  }
  char text[16];
  snprintf(text, sizeof text, "0x%lx", attributes);
  Record("SetAttributes " + Quoted(path) + " " + text + " = " + std::to_string(status));
  return status;
}

SystemStatus SimulatedWindows::CopyOneFile(const char* from, const char* to) {
  SystemStatus planned;
  const bool failing = PlannedFailure(&planned);
  if (failing && planned != kStatusDiskFull)
    return RecordFailure("CopyOneFile " + Quoted(from) + " " + Quoted(to), planned);
  SystemStatus status;
  const SimulatedFile* source = FileAt(from, &status);
  std::vector<std::string> names;
  SimulatedFile* directory = nullptr;
  if (source != nullptr && source->directory) status = kStatusAccessDenied;
  if (status == kStatusSuccess) status = SplitFilePath(to, machine_->currentDir, &names);
  if (status == kStatusSuccess && names.empty()) status = kStatusAccessDenied;
  if (status == kStatusSuccess) directory = FindParent(&machine_->disk, names, &status);
  if (directory != nullptr) {
    SimulatedFile* destination = ::FindEntry(machine_->disk, *directory, names.back());
    if (destination == source)
      status = kStatusSharingViolation;
    else if (destination == nullptr)
      destination = AddEntry(directory, names.back(), false);
    else
      RunCanReplace(*destination, &status);
    if (status == kStatusSuccess) {
      // A copy that runs out of room leaves what it wrote.
      const std::string& content = source->content;
      status = WriteContent(&machine_->disk, destination,
                            failing ? content.substr(0, content.size() / 2) : content);
      if (failing) status = planned;
      destination->attributes = kAttributeArchive | (source->attributes & kAttributeReadOnly);
    }
  }
  Record("CopyOneFile " + Quoted(from) + " " + Quoted(to) + " = " + std::to_string(status));
  return status;
}

SystemStatus SimulatedWindows::RemoveFile(const char* path) {
  SystemStatus status;
  if (PlannedFailure(&status)) return RecordFailure("RemoveFile " + Quoted(path), status);
  SimulatedFile* file = FileAt(path, &status);
  if (file != nullptr && RunCanReplace(*file, &status)) RemoveEntry(&machine_->disk, file);
  Record("RemoveFile " + Quoted(path) + " = " + std::to_string(status));
  return status;
}

SystemStatus SimulatedWindows::RenameReplacing(const char* from, const char* to) {
  // The 9x family lacks the call; the test platform has it on every class.
  if (IsWindows9xClass(machine_->osClass) && !machine_->testPlatform) {
    Record("RenameReplacing " + Quoted(from) + " " + Quoted(to) + " = " +
           std::to_string(kStatusCallNotImplemented));
    return kStatusCallNotImplemented;
  }
  SystemStatus planned;
  if (PlannedFailure(&planned))
    return RecordFailure("RenameReplacing " + Quoted(from) + " " + Quoted(to), planned);
  return Move(from, to, true);
}

SystemStatus SimulatedWindows::RenameFile(const char* from, const char* to) {
  SystemStatus planned;
  if (PlannedFailure(&planned))
    return RecordFailure("RenameFile " + Quoted(from) + " " + Quoted(to), planned);
  return Move(from, to, false);
}

SystemStatus SimulatedWindows::Move(const char* from, const char* to, bool replacing) {
  SystemStatus status;
  SimulatedFile* source = FileAt(from, &status);
  std::vector<std::string> names;
  SimulatedFile* directory = nullptr;
  if (source != nullptr && (source->heldByOther || source->openByRun > 0))
    status = kStatusSharingViolation;
  if (status == kStatusSuccess) status = SplitFilePath(to, machine_->currentDir, &names);
  if (status == kStatusSuccess && names.empty()) status = kStatusAccessDenied;
  if (status == kStatusSuccess) directory = FindParent(&machine_->disk, names, &status);
  if (directory != nullptr) {
    SimulatedFile* replaced = ::FindEntry(machine_->disk, *directory, names.back());
    if (replaced != nullptr && replaced != source && !replacing) status = kStatusAlreadyExists;
    if (replaced != nullptr && replaced != source && status == kStatusSuccess &&
        RunCanReplace(*replaced, &status))
      RemoveEntry(&machine_->disk, replaced);
    if (status == kStatusSuccess) MoveEntry(source, directory, names.back());
  }
  Record((replacing ? "RenameReplacing " : "RenameFile ") + Quoted(from) + " " + Quoted(to) +
         " = " + std::to_string(status));
  return status;
}

SystemStatus SimulatedWindows::MakeDirectory(const char* path) {
  std::vector<std::string> names;
  SystemStatus status;
  if (PlannedFailure(&status)) return RecordFailure("MakeDirectory " + Quoted(path), status);
  status = SplitFilePath(path, machine_->currentDir, &names);
  if (status == kStatusSuccess && names.empty()) status = kStatusAlreadyExists;
  SimulatedFile* directory = nullptr;
  if (status == kStatusSuccess) directory = FindParent(&machine_->disk, names, &status);
  if (directory != nullptr) {
    if (::FindEntry(machine_->disk, *directory, names.back()) != nullptr)
      status = kStatusAlreadyExists;
    else
      AddEntry(directory, names.back(), true);
  }
  Record("MakeDirectory " + Quoted(path) + " = " + std::to_string(status));
  return status;
}

SystemStatus SimulatedWindows::FindFirstMatch(const char* pattern, SearchHandle* search,
                                              char* name) {
  SystemStatus planned;
  if (PlannedFailure(&planned)) return RecordFailure("FindFirstMatch " + Quoted(pattern), planned);
  // The pattern is the last part; the directory is what comes before it.
  const char* last = pattern + strlen(pattern);
  while (last > pattern && !IsNameSeparator(last[-1])) --last;
  std::string directoryText(pattern, static_cast<size_t>(last - pattern));
  if (directoryText.empty()) directoryText = machine_->currentDir;
  SystemStatus status;
  const SimulatedFile* directory = FileAt(directoryText.c_str(), &status);
  if (directory == nullptr || !directory->directory) status = kStatusPathNotFound;
  std::string first;
  if (status == kStatusSuccess) {
    SearchRecord record = {MatchEntries(*directory, last), 1, true};
    if (record.names.empty()) {
      status = kStatusFileNotFound;
    } else {
      first = " " + Quoted(record.names[0].c_str());
      snprintf(name, kFoundNameSize, "%s", record.names[0].c_str());
      searches_.push_back(record);
      *search = HandleOf<SearchHandle>(searches_.size() - 1);
    }
  }
  Record("FindFirstMatch " + Quoted(pattern) + " = " + std::to_string(status) + first);
  return status;
}

SystemStatus SimulatedWindows::FindNextMatch(SearchHandle search, char* name) {
  const size_t index = IndexOf(search);
  SystemStatus status = kStatusInvalidHandle;
  if (PlannedFailure(&status))
    return RecordFailure("FindNextMatch s" + std::to_string(index + 1), status);
  if (search != nullptr && index < searches_.size() && searches_[index].open) {
    SearchRecord& record = searches_[index];
    status = record.next < record.names.size() ? kStatusSuccess : kStatusNoMoreFiles;
    if (status == kStatusSuccess)
      snprintf(name, kFoundNameSize, "%s", record.names[record.next++].c_str());
  }
  Record("FindNextMatch s" + std::to_string(index + 1) + " = " +
         (status == kStatusSuccess ? Quoted(name) : std::to_string(status)));
  return status;
}

void SimulatedWindows::EndSearch(SearchHandle search) {
  const size_t index = IndexOf(search);
  if (search != nullptr && index < searches_.size()) searches_[index].open = false;
  Record("EndSearch s" + std::to_string(index + 1));
}

SystemStatus SimulatedWindows::OpenFileToRead(const char* path, FileHandle* file) {
  SystemStatus status;
  if (PlannedFailure(&status)) return RecordFailure("OpenFileToRead " + Quoted(path), status);
  SimulatedFile* found = FileAt(path, &status);
  if (found != nullptr && found->directory) status = kStatusAccessDenied;
  std::string handle;
  if (status == kStatusSuccess) {
    ++found->openByRun;
    files_.push_back({found, 0, true});
    *file = HandleOf<FileHandle>(files_.size() - 1);
    handle = " f" + std::to_string(files_.size());
  }
  Record("OpenFileToRead " + Quoted(path) + " = " + std::to_string(status) + handle);
  return status;
}

SystemStatus SimulatedWindows::OpenFileToAppend(const char* path, FileHandle* file) {
  std::vector<std::string> names;
  SystemStatus status;
  if (PlannedFailure(&status)) return RecordFailure("OpenFileToAppend " + Quoted(path), status);
  status = SplitFilePath(path, machine_->currentDir, &names);
  if (status == kStatusSuccess && names.empty()) status = kStatusAccessDenied;
  SimulatedFile* directory = nullptr;
  if (status == kStatusSuccess) directory = FindParent(&machine_->disk, names, &status);
  std::string handle;
  if (directory != nullptr) {
    SimulatedFile* found = ::FindEntry(machine_->disk, *directory, names.back());
    if (found != nullptr && (found->directory || (found->attributes & kAttributeReadOnly)))
      status = kStatusAccessDenied;
    else if (found != nullptr && found->heldByOther)
      status = kStatusSharingViolation;
    else if (found == nullptr)
      found = AddEntry(directory, names.back(), false);
    if (status == kStatusSuccess) {
      ++found->openByRun;
      files_.push_back({found, 0, true});
      *file = HandleOf<FileHandle>(files_.size() - 1);
      handle = " f" + std::to_string(files_.size());
    }
  }
  Record("OpenFileToAppend " + Quoted(path) + " = " + std::to_string(status) + handle);
  return status;
}

SystemStatus SimulatedWindows::ReadFromFile(FileHandle file, void* data, unsigned long size,
                                            unsigned long* read) {
  const size_t index = IndexOf(file);
  SystemStatus status = kStatusInvalidHandle;
  *read = 0;
  if (PlannedFailure(&status))
    return RecordFailure("ReadFromFile f" + std::to_string(index + 1), status);
  if (file != nullptr && index < files_.size() && files_[index].open) {
    OpenFileRecord& record = files_[index];
    const std::string& content = record.file->content;
    const size_t left = content.size() > record.position ? content.size() - record.position : 0;
    *read = static_cast<unsigned long>(std::min<size_t>(left, size));
    memcpy(data, content.data() + record.position, *read);
    record.position += *read;
    status = kStatusSuccess;
  }
  Record("ReadFromFile f" + std::to_string(index + 1) + " " + std::to_string(size) + " = " +
         std::to_string(status) + " " + std::to_string(*read));
  return status;
}

SystemStatus SimulatedWindows::AppendFile(FileHandle file, const void* data, unsigned long size) {
  const size_t index = IndexOf(file);
  SystemStatus status = kStatusInvalidHandle;
  if (PlannedFailure(&status))
    return RecordFailure("AppendFile f" + std::to_string(index + 1), status);
  if (file != nullptr && index < files_.size() && files_[index].open)
    status =
        AppendContent(&machine_->disk, files_[index].file, static_cast<const char*>(data), size);
  Record("AppendFile f" + std::to_string(index + 1) + " " +
         Quoted(std::string(static_cast<const char*>(data), size).c_str()) + " = " +
         std::to_string(status));
  return status;
}

unsigned long SimulatedWindows::FileSize(FileHandle file) {
  const size_t index = IndexOf(file);
  unsigned long size = kNoSuchFile;
  if (file != nullptr && index < files_.size() && files_[index].open)
    size = static_cast<unsigned long>(files_[index].file->content.size());
  Record("FileSize f" + std::to_string(index + 1) + " = " + std::to_string(size));
  return size;
}

void SimulatedWindows::CloseFile(FileHandle file) {
  const size_t index = IndexOf(file);
  if (file != nullptr && index < files_.size() && files_[index].open) {
    files_[index].open = false;
    --files_[index].file->openByRun;
  }
  Record("CloseFile f" + std::to_string(index + 1));
}

// ------------------------------------------------------------- directories

unsigned long SimulatedWindows::AnswerPath(const std::string& path, char* out,
                                           unsigned long size) const {
  if (size <= path.size()) return static_cast<unsigned long>(path.size() + 1);
  memcpy(out, path.c_str(), path.size() + 1);
  return static_cast<unsigned long>(path.size());
}

unsigned long SimulatedWindows::CurrentDirectory(char* out, unsigned long size) {
  const unsigned long length = AnswerPath(machine_->currentDir, out, size);
  Record("CurrentDirectory = " + Quoted(machine_->currentDir.c_str()));
  return length;
}

bool SimulatedWindows::ChangeDirectory(const char* path) {
  std::vector<std::string> names;
  SystemStatus status;
  if (PlannedFailure(&status)) {
    RecordFailure("ChangeDirectory " + Quoted(path), status);
    return false;
  }
  status = SplitFilePath(path, machine_->currentDir, &names);
  const SimulatedFile* directory =
      status == kStatusSuccess ? ::FindFile(&machine_->disk, names, &status) : nullptr;
  const bool changed = directory != nullptr && directory->directory;
  if (changed) machine_->currentDir = JoinedPath(names);
  Record("ChangeDirectory " + Quoted(path) + " = " + (changed ? "true" : "false"));
  return changed;
}

unsigned long SimulatedWindows::WindowsDirectory(char* out, unsigned long size) {
  Record("WindowsDirectory = " + Quoted(machine_->windowsDir.c_str()));
  return AnswerPath(machine_->windowsDir, out, size);
}

unsigned long SimulatedWindows::SystemDirectory(char* out, unsigned long size) {
  Record("SystemDirectory = " + Quoted(machine_->systemDir.c_str()));
  return AnswerPath(machine_->systemDir, out, size);
}

unsigned long SimulatedWindows::ProgramFile(char* out, unsigned long size) {
  const std::string path = InDirectory(machine_->programDir, machine_->programName.c_str());
  Record("ProgramFile = " + Quoted(path.c_str()));
  return AnswerPath(path, out, size);
}

namespace {

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
    *value = nt ? machine.systemDir + "\\cmd.exe" : machine.windowsDir + "\\COMMAND.COM";
  else if (upper == "COMPUTERNAME" && nt)
    *value = machine.computerName;
  else if (upper == "TEMP" || upper == "TMP")
    *value = machine.windowsDir + "\\TEMP";
  else
    return false;
  return true;
}

}  // namespace

// As ExpandEnvironmentStrings: a variable that the environment lacks stays
// as written; the answer counts its terminator.
unsigned long SimulatedWindows::ExpandVariables(const char* text, char* out, unsigned long size) {
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
  const unsigned long needed = static_cast<unsigned long>(expanded.size() + 1);
  if (needed <= size) memcpy(out, expanded.c_str(), needed);
  Record("ExpandVariables " + Quoted(text) + " = " + Quoted(expanded.c_str()));
  return needed;
}

bool SimulatedWindows::ComputerName(char* out, unsigned long size) {
  const bool fits = machine_->computerName.size() < size;
  if (fits) memcpy(out, machine_->computerName.c_str(), machine_->computerName.size() + 1);
  Record("ComputerName = " + (fits ? Quoted(machine_->computerName.c_str()) : "does not fit"));
  return fits;
}

unsigned long SimulatedWindows::ShortPath(const char* path, char* out, unsigned long size) {
  SystemStatus status;
  if (PlannedFailure(&status)) {
    RecordFailure("ShortPath " + Quoted(path), status);
    return 0;
  }
  const SimulatedFile* file = FileAt(path, &status);
  std::string shortForm;
  if (file != nullptr) shortForm = ShortPathOf(machine_->disk, *file);
  Record("ShortPath " + Quoted(path) + " = " +
         (file != nullptr ? Quoted(shortForm.c_str()) : std::to_string(status)));
  return file != nullptr ? AnswerPath(shortForm, out, size) : 0;
}

// ----------------------------------------------------------------- profile

unsigned long SimulatedWindows::ProfileString(const char* section, const char* key, char* out,
                                              unsigned long size, const char* file) {
  // A profile that can not be read answers as a missing one.
  SystemStatus planned;
  if (PlannedFailure(&planned)) {
    if (size > 0) out[0] = '\0';
    if (size > 1) out[1] = '\0';
    RecordFailure("ProfileString " + Quoted(section) + " " + Quoted(key) + " " + Quoted(file),
                  planned);
    return 0;
  }
  // A bare file name lies in the Windows directory.
  const std::string path = strpbrk(file, "\\/:") != nullptr
                               ? std::string(file)
                               : InDirectory(machine_->windowsDir, file);
  bool exists;
  Profile profile;
  ReadProfile(DiskFileText(path, &exists), &profile);
  unsigned long length = 0;
  if (size > 0) out[0] = '\0';
  if (section == nullptr || key == nullptr) {
    // Every section's name, or every key name of the section.
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
    length = static_cast<unsigned long>(FillKeyList(list, out, size));
  } else if (size > 0) {
    const ProfileSection* keySection = FindProfileSection(profile, section);
    const ProfileKey* foundKey = keySection != nullptr ? FindProfileKey(*keySection, key) : nullptr;
    const std::string value = foundKey != nullptr ? ProfileValue(*foundKey) : std::string();
    length = static_cast<unsigned long>(std::min<size_t>(value.size(), size - 1));
    memcpy(out, value.data(), length);
    out[length] = '\0';
  }
  Record("ProfileString " + Quoted(section) + " " + Quoted(key) + " " + Quoted(file) + " = " +
         std::to_string(length) + (key != nullptr && size > 0 ? " " + Quoted(out) : std::string()));
  return length;
}

// ---------------------------------------------------------------- platform

bool SimulatedWindows::Version(PlatformVersion* version) {
  *version = VersionOfClass(machine_->osClass);
  Record("Version = " + std::to_string(version->PlatformId) + " " + std::to_string(version->Major) +
         "." + std::to_string(version->Minor) + "." + std::to_string(version->Build & 0xFFFF));
  return true;
}

bool SimulatedWindows::IsAdministrator() {
  Record(std::string("IsAdministrator = ") + (machine_->administrator ? "true" : "false"));
  return machine_->administrator;
}

bool SimulatedWindows::HoldSetupMark() {
  Record(std::string("HoldSetupMark = ") + (machine_->anotherSetupRuns ? "held by another" : "ok"));
  return !machine_->anotherSetupRuns;
}

void SimulatedWindows::SuppressErrorBoxes() {
  errorMode_ = kErrorBoxesSuppressed;
  Record("SuppressErrorBoxes");
}

bool SimulatedWindows::ServiceRunning(const char* name) {
  bool running = false;
  for (const MachineService& service : machine_->services) {
    if (SameFileName(service.name, name) && service.runningFrom >= 0 &&
        service.runningFrom <= clock_ && (service.stoppedAt < 0 || clock_ < service.stoppedAt))
      running = true;
  }
  Record("ServiceRunning " + Quoted(name) + " = " + (running ? "true" : "false"));
  return running;
}

// ------------------------------------------------------------------- clock

void SimulatedWindows::LocalTime(ClockTime* time) {
  const long long milliseconds = machine_->startTime * 1000 + clock_;
  const long long seconds = milliseconds / 1000;
  const long long days = seconds / 86400;
  const long long inDay = seconds % 86400;
  CivilDate(days, &time->Year, &time->Month, &time->Day);
  time->Hour = static_cast<unsigned>(inDay / 3600);
  time->Minute = static_cast<unsigned>(inDay / 60 % 60);
  time->Second = static_cast<unsigned>(inDay % 60);
  time->Milliseconds = static_cast<unsigned>(milliseconds % 1000);
  Record("LocalTime = " + std::to_string(clock_) + " ms");
}

bool SimulatedWindows::StartTimer(int id, unsigned intervalMs) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [id](const RunningTimer& timer) { return timer.id == id; }),
                timers_.end());
  timers_.push_back({id, intervalMs, clock_ + intervalMs});
  Record("StartTimer " + std::to_string(id) + " " + std::to_string(intervalMs) + " = true");
  return true;
}

void SimulatedWindows::StopTimer(int id) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [id](const RunningTimer& timer) { return timer.id == id; }),
                timers_.end());
  Record("StopTimer " + std::to_string(id));
}

void SimulatedWindows::PostQuit(int exitCode) {
  quitPosted_ = true;
  exitCode_ = exitCode;
  Record("PostQuit " + std::to_string(exitCode));
}

// The process ends where it stands, as a cut ends it.
void SimulatedWindows::EndProcess(int exitCode) {
  exitCode_ = exitCode;
  Record("EndProcess " + std::to_string(exitCode));
  throw ProcessCut();
}

SystemStatus SimulatedWindows::EnableShutdownPrivilege() {
  Record("EnableShutdownPrivilege = 0");
  return kStatusSuccess;
}

SystemStatus SimulatedWindows::RequestRestart(unsigned flags) {
  Record("RequestRestart " + std::to_string(flags) + " = " +
         std::to_string(machine_->restartStatus));
  return machine_->restartStatus;
}

void SimulatedWindows::ShowMessage(const char* text, const char* caption) {
  Record("ShowMessage " + Quoted(caption) + " " + Quoted(text));
}

bool SimulatedWindows::NextEvent(long long* at) const {
  bool any = false;
  for (const RunningTimer& timer : timers_) {
    if (!any || timer.due < *at) *at = timer.due;
    any = true;
  }
  for (const DueWork& work : dueWork_) {
    if (!any || work.at < *at) *at = work.at;
    any = true;
  }
  return any;
}

int SimulatedWindows::AdvanceTo(long long at) {
  Pass(at > clock_ ? static_cast<unsigned long>(at - clock_) : 0);
  // A tick that came due while the run was busy comes now; the next one an
  // interval later.
  RunningTimer* ticking = nullptr;
  for (RunningTimer& timer : timers_) {
    if (timer.due <= clock_ && (ticking == nullptr || timer.due < ticking->due)) ticking = &timer;
  }
  if (ticking == nullptr) return 0;
  ticking->due = clock_ + ticking->interval;
  return ticking->id;
}
