#include "preflight_rules.h"

#include <string.h>

#include "programs_rules.h"

namespace {

unsigned long Read16(const unsigned char* bytes) {
  return static_cast<unsigned long>(bytes[0]) | static_cast<unsigned long>(bytes[1]) << 8;
}

unsigned long Read32(const unsigned char* bytes) { return Read16(bytes) | Read16(bytes + 2) << 16; }

// Whether size bytes from offset lie inside a buffer of total bytes.
bool Inside(unsigned long offset, unsigned long size, size_t total) {
  return offset <= total && size <= total - offset;
}

const unsigned long kPeHeaderOffsetField = 0x3C;
const unsigned long kFileHeaderSize = 20;
const unsigned long kSectionHeaderSize = 40;
const unsigned long kPe32Magic = 0x10B;
const unsigned long kExportEntryOffset = 96;  // data directory 0 in the PE32 optional header

}  // namespace

ProgramKind ProgramKindOf(const char* path, const unsigned char* head, size_t headSize) {
  if (IsBatchProgram(path)) return kBatchFile;
  if (!EndsInExtension(path, ".exe") && !EndsInExtension(path, ".com")) return kNotAProgram;
  return headSize >= 2 && head[0] == 'M' && head[1] == 'Z' ? kExecutableFile : kNotAProgram;
}

bool FindExportDirectory(const unsigned char* head, size_t headSize, ExportLocation* location) {
  if (headSize < 0x40 || head[0] != 'M' || head[1] != 'Z') return false;
  const unsigned long pe = Read32(head + kPeHeaderOffsetField);
  if (!Inside(pe, 4 + kFileHeaderSize, headSize) || memcmp(head + pe, "PE\0\0", 4) != 0)
    return false;
  const unsigned char* file = head + pe + 4;
  const unsigned long sections = Read16(file + 2), optionalSize = Read16(file + 16);
  const unsigned long optional = pe + 4 + kFileHeaderSize;
  if (!Inside(optional, optionalSize, headSize) || optionalSize < kExportEntryOffset + 8 ||
      Read16(head + optional) != kPe32Magic)
    return false;
  const unsigned long address = Read32(head + optional + kExportEntryOffset);
  const unsigned long size = Read32(head + optional + kExportEntryOffset + 4);
  if (address == 0 || size == 0) return false;
  const unsigned long table = optional + optionalSize;
  if (!Inside(table, sections * kSectionHeaderSize, headSize)) return false;
  for (unsigned long i = 0; i < sections; ++i) {
    const unsigned char* section = head + table + i * kSectionHeaderSize;
    const unsigned long start = Read32(section + 12), rawSize = Read32(section + 16);
    const unsigned long rawOffset = Read32(section + 20);
    if (address >= start && address - start < rawSize) {
      location->FileOffset = rawOffset + (address - start);
      location->Size = size;
      location->Address = address;
      return true;
    }
  }
  return false;
}

bool ExportsName(const unsigned char* data, size_t size, const ExportLocation& location,
                 const char* entry) {
  const unsigned long kDirectorySize = 40;
  if (size < kDirectorySize) return false;
  const unsigned long names = Read32(data + 24), nameTable = Read32(data + 32);
  if (nameTable < location.Address) return false;
  const unsigned long tableOffset = nameTable - location.Address;
  if (names > size / 4 || !Inside(tableOffset, names * 4, size)) return false;
  const size_t entryLength = strlen(entry);
  for (unsigned long i = 0; i < names; ++i) {
    const unsigned long name = Read32(data + tableOffset + i * 4);
    if (name < location.Address) continue;
    const unsigned long offset = name - location.Address;
    if (Inside(offset, entryLength + 1, size) && memcmp(data + offset, entry, entryLength + 1) == 0)
      return true;
  }
  return false;
}

bool AddToRoom(RoomNeeded* room, const char* dir, unsigned long long size) {
  char drive[3] = {};
  const char letter = AsciiUpper(dir[0]);
  if (letter >= 'A' && letter <= 'Z' && dir[1] == ':') {
    drive[0] = letter;
    drive[1] = ':';
  }
  int i = 0;
  while (i < room->Count && strcmp(room->Drives[i].Drive, drive) != 0) ++i;
  if (i == room->Count) {
    if (room->Count == kRoomDrives) return false;
    if (strlen(dir) >= kSetupPathSize) return false;
    memcpy(room->Drives[i].Drive, drive, sizeof drive);
    memcpy(room->Drives[i].Directory, dir, strlen(dir) + 1);
    room->Drives[i].Bytes = room->Drives[i].Largest = 0;
    ++room->Count;
  }
  room->Drives[i].Bytes += size;
  if (size > room->Drives[i].Largest) room->Drives[i].Largest = size;
  return true;
}

unsigned long long RoomOf(const DriveRoom& drive) { return drive.Bytes + drive.Largest; }
