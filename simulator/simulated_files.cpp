#include "simulated_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/paths_rules.h"

namespace {

// What a drive without a capacity reports free: a fixed gigabyte.
const unsigned long long kFreeWithoutCapacity = 1ull << 30;
// The most that GetDiskFreeSpace reports free on the 9x family, on Windows
// and on the test platform alike.
const unsigned long long kMostFreeOn9x = 0x7FFFFFFFull;

bool IsNameSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

// The last part of a path, after its last separator.
const char* LastName(const char* path) {
  const char* last = path + strlen(path);
  while (last > path && !IsNameSeparator(last[-1])) --last;
  return last;
}

// A pattern as the search takes it: Windows drops the blanks and dots at the
// end of one that ends in a blank ("*. " is "*"), the test platform the dots
// and blanks at the end of any ("*." too); never all of it.
std::string PatternAsMatched(const std::string& pattern, bool testPlatform) {
  if (pattern.empty() || (pattern.back() != ' ' && !testPlatform)) return pattern;
  size_t end = pattern.size();
  while (end > 1 && (pattern[end - 1] == ' ' || pattern[end - 1] == '.')) --end;
  return pattern.substr(0, end);
}

// Whether the run may write over, delete or replace the file: not a
// directory, none of the `refused` attributes (read-only), not held open.
bool RunCanReplace(const SimulatedFile& file, SystemStatus* status,
                   unsigned long refused = kAttributeReadOnly) {
  if (file.directory || (file.attributes & refused)) {
    *status = kStatusAccessDenied;
    return false;
  }
  if (file.heldByOther || file.openByRun > 0) {
    *status = kStatusSharingViolation;
    return false;
  }
  return true;
}

// CopyFile refuses a destination that is read-only or hidden; the test
// platform copies over a hidden one.
unsigned long CopyRefusedAttributes(bool testPlatform) {
  return testPlatform ? kAttributeReadOnly : kAttributeReadOnly | kAttributeHidden;
}

// The directory that is to hold the last name of a path, which must have
// one; nullptr with the status when there is none.
SimulatedFile* DirectoryToHold(Machine* machine, const char* path, SystemStatus failing,
                               std::vector<std::string>* names, SystemStatus* status) {
  *status = SplitFilePath(path, machine->currentDir, names);
  if (*status == kStatusSuccess && names->empty()) *status = failing;
  if (*status != kStatusSuccess) return nullptr;
  return FindParent(&machine->disk, *names, status);
}

}  // namespace

SimulatedFiles::SimulatedFiles(SimulatedProcess* process) : machine_(process->machine) {}

SimulatedFiles::~SimulatedFiles() {
  for (OpenFileRecord& record : files_) {
    if (record.open) --record.file->openByRun;
  }
}

SimulatedFiles::OpenFileRecord* SimulatedFiles::OpenFile(FileHandle file) {
  const size_t index = IndexOf(file);
  return file != nullptr && index < files_.size() && files_[index].open ? &files_[index] : nullptr;
}

unsigned long SimulatedFiles::FileAttributes(const char* path) {
  SystemStatus status;
  const SimulatedFile* file = FileAt(machine_, path, &status);
  if (file == nullptr) return kNoSuchFile;
  unsigned long attributes = file->attributes != 0 ? file->attributes : kAttributeNormal;
  // The test platform keeps no archive bit: it reports every file as one to
  // archive.
  if (!file->directory && machine_->testPlatform)
    attributes = (attributes & ~kAttributeNormal) | kAttributeArchive;
  return attributes;
}

SystemStatus SimulatedFiles::SetAttributes(const char* path, unsigned long attributes) {
  SystemStatus status;
  SimulatedFile* file = FileAt(machine_, path, &status);
  if (file != nullptr) {
    const unsigned long kept = attributes & ~(kAttributeNormal | kAttributeDirectory);
    file->attributes = kept | (file->directory ? kAttributeDirectory : 0);
  }
  return status;
}

SystemStatus SimulatedFiles::CopyOneFile(const char* from, const char* to) {
  return Copy(from, to, false);
}

SystemStatus SimulatedFiles::CopyUntilDiskFull(const char* from, const char* to) {
  return Copy(from, to, true);
}

SystemStatus SimulatedFiles::Copy(const char* from, const char* to, bool halfway) {
  SystemStatus status;
  const SimulatedFile* source = FileAt(machine_, from, &status);
  std::vector<std::string> names;
  SimulatedFile* directory = nullptr;
  if (source != nullptr && source->directory) status = kStatusAccessDenied;
  if (source != nullptr && source->damaged && source->damagedAt < source->content.size())
    status = kStatusCrc;
  if (source != nullptr && source->heldUnshared) status = kStatusSharingViolation;
  if (status == kStatusSuccess)
    directory = DirectoryToHold(machine_, to, kStatusAccessDenied, &names, &status);
  if (directory == nullptr) return status;
  SimulatedFile* destination = FindEntry(machine_->disk, *directory, names.back());
  // A file copied onto itself: NT's copy finds its source open, the 9x
  // family's finds the file there.
  if (destination == source)
    return IsWindows9xClass(machine_->osClass) && !machine_->testPlatform ? kStatusFileExists
                                                                          : kStatusSharingViolation;
  else if (destination == nullptr)
    destination = AddEntry(directory, names.back(), false);
  else if (!RunCanReplace(*destination, &status, CopyRefusedAttributes(machine_->testPlatform)))
    return status;
  // A copy that runs out of room leaves what it wrote.
  const std::string& content = source->content;
  status = WriteContent(&machine_->disk, destination,
                        halfway ? content.substr(0, content.size() / 2) : content);
  destination->attributes = kAttributeArchive | (source->attributes & kAttributeReadOnly);
  return halfway ? kStatusDiskFull : status;
}

SystemStatus SimulatedFiles::RemoveFile(const char* path) {
  SystemStatus status;
  SimulatedFile* file = FileAt(machine_, path, &status);
  if (file != nullptr && RunCanReplace(*file, &status)) RemoveEntry(&machine_->disk, file);
  return status;
}

bool SimulatedFiles::HasRenameReplacing() const {
  return !IsWindows9xClass(machine_->osClass) || machine_->testPlatform;
}

SystemStatus SimulatedFiles::RenameReplacing(const char* from, const char* to) {
  if (!HasRenameReplacing()) return kStatusCallNotImplemented;
  return Move(from, to, true);
}

SystemStatus SimulatedFiles::RenameFile(const char* from, const char* to) {
  return Move(from, to, false);
}

SystemStatus SimulatedFiles::Move(const char* from, const char* to, bool replacing) {
  SystemStatus status;
  SimulatedFile* source = FileAt(machine_, from, &status);
  std::vector<std::string> names;
  SimulatedFile* directory = nullptr;
  if (source != nullptr && (source->heldByOther || source->openByRun > 0))
    status = kStatusSharingViolation;
  // The 9x family looks a new name with wildcards up and finds nothing.
  const char* newName = LastName(to);
  if (status == kStatusSuccess && strpbrk(newName, "*?") != nullptr &&
      IsWindows9xClass(machine_->osClass) && !machine_->testPlatform)
    status = kStatusFileNotFound;
  if (status == kStatusSuccess)
    directory = DirectoryToHold(machine_, to, kStatusAccessDenied, &names, &status);
  if (directory == nullptr) return status;
  SimulatedFile* replaced = FindEntry(machine_->disk, *directory, names.back());
  if (replaced != nullptr && replaced != source) {
    if (!replacing) return kStatusAlreadyExists;
    if (!RunCanReplace(*replaced, &status)) return status;
    RemoveEntry(&machine_->disk, replaced);
  }
  MoveEntry(source, directory, names.back());
  return kStatusSuccess;
}

SystemStatus SimulatedFiles::MakeDirectory(const char* path) {
  std::vector<std::string> names;
  SystemStatus status;
  SimulatedFile* directory = DirectoryToHold(machine_, path, kStatusAlreadyExists, &names, &status);
  if (directory == nullptr) return status;
  if (FindEntry(machine_->disk, *directory, names.back()) != nullptr) return kStatusAlreadyExists;
  AddEntry(directory, names.back(), true);
  return kStatusSuccess;
}

SystemStatus SimulatedFiles::FindFirstMatch(const char* pattern, SearchHandle* search, char* name) {
  // The pattern is the last part; the directory is what comes before it.
  const char* last = LastName(pattern);
  std::string directoryText(pattern, static_cast<size_t>(last - pattern));
  if (directoryText.empty()) directoryText = machine_->currentDir;
  // The test platform finds no name for an empty pattern before it looks
  // for the directory.
  if (*last == '\0' && machine_->testPlatform) return kStatusFileNotFound;
  SystemStatus status;
  const SimulatedFile* directory = FileAt(machine_, directoryText.c_str(), &status);
  if (directory == nullptr || !directory->directory) return kStatusPathNotFound;
  SearchRecord record = {MatchEntries(machine_->disk, *directory,
                                      PatternAsMatched(last, machine_->testPlatform)),
                         1, true};
  if (record.names.empty()) return kStatusFileNotFound;
  snprintf(name, kFoundNameSize, "%s", record.names[0].c_str());
  searches_.push_back(record);
  *search = HandleOf<SearchHandle>(searches_.size() - 1);
  return kStatusSuccess;
}

SystemStatus SimulatedFiles::FindNextMatch(SearchHandle search, char* name) {
  const size_t index = IndexOf(search);
  if (search == nullptr || index >= searches_.size() || !searches_[index].open)
    return kStatusInvalidHandle;
  SearchRecord& record = searches_[index];
  if (record.next >= record.names.size()) return kStatusNoMoreFiles;
  snprintf(name, kFoundNameSize, "%s", record.names[record.next++].c_str());
  return kStatusSuccess;
}

void SimulatedFiles::EndSearch(SearchHandle search) {
  const size_t index = IndexOf(search);
  if (search != nullptr && index < searches_.size()) searches_[index].open = false;
}

// Whether the run holds the file open in a way that refuses another open:
// to append, refused by a new reader that shares only reading; to read,
// refused by a new writer.
bool SimulatedFiles::HeldByRun(const SimulatedFile* file, bool reading) const {
  for (const OpenFileRecord& record : files_) {
    if (record.open && record.file == file && (reading ? record.appending : !record.appending))
      return true;
  }
  return false;
}

SystemStatus SimulatedFiles::OpenFileToRead(const char* path, FileHandle* file) {
  SystemStatus status;
  SimulatedFile* found = FileAt(machine_, path, &status);
  if (found != nullptr && found->directory) status = kStatusAccessDenied;
  if (found != nullptr && found->heldUnshared) status = kStatusSharingViolation;
  if (status == kStatusSuccess && HeldByRun(found, true)) status = kStatusSharingViolation;
  if (status != kStatusSuccess) return status;
  ++found->openByRun;
  files_.push_back({found, 0, true, false});
  *file = HandleOf<FileHandle>(files_.size() - 1);
  return kStatusSuccess;
}

SystemStatus SimulatedFiles::OpenFileToAppend(const char* path, FileHandle* file) {
  std::vector<std::string> names;
  SystemStatus status;
  SimulatedFile* directory = DirectoryToHold(machine_, path, kStatusAccessDenied, &names, &status);
  if (directory == nullptr) return status;
  SimulatedFile* found = FindEntry(machine_->disk, *directory, names.back());
  if (found != nullptr && (found->directory || (found->attributes & kAttributeReadOnly)))
    return kStatusAccessDenied;
  if (found != nullptr && (found->heldByOther || HeldByRun(found, false)))
    return kStatusSharingViolation;
  if (found == nullptr) found = AddEntry(directory, names.back(), false);
  ++found->openByRun;
  files_.push_back({found, 0, true, true});
  *file = HandleOf<FileHandle>(files_.size() - 1);
  return kStatusSuccess;
}

SystemStatus SimulatedFiles::ReadFromFile(FileHandle file, void* data, unsigned long size,
                                          unsigned long* read) {
  *read = 0;
  OpenFileRecord* record = OpenFile(file);
  if (record == nullptr) return kStatusInvalidHandle;
  const SimulatedFile& opened = *record->file;
  const std::string& content = opened.content;
  const size_t end = opened.damaged ? std::min(opened.damagedAt, content.size()) : content.size();
  if (opened.damaged && record->position >= end && end < content.size()) return kStatusCrc;
  const size_t left = end > record->position ? end - record->position : 0;
  *read = static_cast<unsigned long>(std::min<size_t>(left, size));
  memcpy(data, content.data() + record->position, *read);
  record->position += *read;
  return kStatusSuccess;
}

SystemStatus SimulatedFiles::AppendFile(FileHandle file, const void* data, unsigned long size) {
  OpenFileRecord* record = OpenFile(file);
  if (record == nullptr) return kStatusInvalidHandle;
  return AppendContent(&machine_->disk, record->file, static_cast<const char*>(data), size);
}

unsigned long SimulatedFiles::FileSize(FileHandle file) {
  const OpenFileRecord* record = OpenFile(file);
  return record != nullptr ? static_cast<unsigned long>(record->file->content.size()) : kNoSuchFile;
}

void SimulatedFiles::CloseFile(FileHandle file) {
  OpenFileRecord* record = OpenFile(file);
  if (record == nullptr) return;
  record->open = false;
  --record->file->openByRun;
}

SystemStatus SimulatedFiles::FreeSpace(const char* path, unsigned long long* bytes) {
  // The answer is the root's, as the backend asks only the root.
  char root[kSetupPathSize];
  if (!DriveRootOf(root, sizeof root, path)) return kStatusPathNotFound;
  SystemStatus status;
  if (FileAt(machine_, root, &status) == nullptr) return status;
  const SimulatedDisk& disk = machine_->disk;
  unsigned long long room = kFreeWithoutCapacity;
  if (disk.capacity > 0) room = disk.capacity > disk.used ? disk.capacity - disk.used : 0;
  if (IsWindows9xClass(machine_->osClass)) room = std::min(room, kMostFreeOn9x);
  *bytes = room;
  return kStatusSuccess;
}

SystemStatus SimulatedFiles::ProbeExclusiveOpen(const char* path, bool toWrite) {
  SystemStatus status;
  const SimulatedFile* found = FileAt(machine_, path, &status);
  if (found == nullptr) return status;
  if (found->directory || (toWrite && (found->attributes & kAttributeReadOnly)))
    return kStatusAccessDenied;
  // No sharing: any handle open on the file, the run's own too, refuses it.
  if (found->heldByOther || found->openByRun > 0) return kStatusSharingViolation;
  return kStatusSuccess;
}
