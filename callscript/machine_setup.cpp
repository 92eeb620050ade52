#include "machine_setup.h"

#include "machine_snapshot.h"

SystemStatus MachineSetup::PutFile(const char* path, const char* bytes, unsigned long size) {
  std::vector<std::string> names;
  const SystemStatus status = SplitFilePath(path, machine_->currentDir, &names);
  if (status != kStatusSuccess) return status;
  if (names.empty()) return kStatusAccessDenied;  // the drive's root
  return PutMachineFile(&machine_->disk, names, std::string(bytes, size)) ? kStatusSuccess
                                                                          : kStatusPathNotFound;
}

SystemStatus MachineSetup::HoldFile(const char* path) {
  std::vector<std::string> names;
  SystemStatus status = SplitFilePath(path, machine_->currentDir, &names);
  if (status != kStatusSuccess) return status;
  SimulatedFile* file = FindFile(&machine_->disk, names, &status);
  if (file == nullptr) return status;
  if (file->directory) return kStatusAccessDenied;
  file->heldByOther = true;
  file->heldUnshared = true;
  held_.push_back(names);
  return kStatusSuccess;
}

void MachineSetup::ReleaseHolds() {
  for (const std::vector<std::string>& names : held_) {
    SystemStatus status = kStatusSuccess;
    SimulatedFile* file = FindFile(&machine_->disk, names, &status);
    if (file != nullptr) file->heldByOther = file->heldUnshared = false;
  }
  held_.clear();
}
