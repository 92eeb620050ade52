#include "program_image.h"

#include <string.h>

namespace {

void Put16(std::string* bytes, size_t at, unsigned long value) {
  PutLittleEndian(bytes, at, value, 2);
}

void Put32(std::string* bytes, size_t at, unsigned long value) {
  PutLittleEndian(bytes, at, value, 4);
}

// The layout: the headers in the first 0x400 bytes, one section at address
// 0x1000 and file offset 0x400 that holds the export directory, the name
// pointer table and the names.
const size_t kPeHeader = 0x80;
const size_t kOptionalHeader = kPeHeader + 24;
const size_t kOptionalHeaderSize = 224;
const size_t kSectionTable = kOptionalHeader + kOptionalHeaderSize;
const size_t kSectionOffset = 0x400;
const unsigned long kSectionAddress = 0x1000;
const size_t kExportDirectorySize = 40;

}  // namespace

void PutLittleEndian(std::string* bytes, size_t at, unsigned long value, size_t width) {
  for (size_t i = 0; i < width; ++i)
    (*bytes)[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string ProgramImage() {
  std::string image(0x40, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  return image;
}

std::string LibraryImage(const std::vector<std::string>& entries) {
  size_t namesSize = 0;
  for (const std::string& entry : entries) namesSize += entry.size() + 1;
  const size_t dataSize = kExportDirectorySize + entries.size() * 4 + namesSize;
  std::string image(kSectionOffset + dataSize, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  Put32(&image, 0x3C, kPeHeader);
  memcpy(&image[kPeHeader], "PE\0\0", 4);
  Put16(&image, kPeHeader + 4, 0x14C);  // i386
  Put16(&image, kPeHeader + 4 + 2, 1);  // one section
  Put16(&image, kPeHeader + 4 + 16, kOptionalHeaderSize);
  Put16(&image, kPeHeader + 4 + 18, 0x2102);  // an executable DLL of 32-bit words
  Put16(&image, kOptionalHeader, 0x10B);      // PE32
  Put32(&image, kOptionalHeader + 92, 16);    // data directories
  Put32(&image, kOptionalHeader + 96, kSectionAddress);
  Put32(&image, kOptionalHeader + 100, static_cast<unsigned long>(dataSize));
  memcpy(&image[kSectionTable], ".edata", 6);
  Put32(&image, kSectionTable + 8, static_cast<unsigned long>(dataSize));
  Put32(&image, kSectionTable + 12, kSectionAddress);
  Put32(&image, kSectionTable + 16, static_cast<unsigned long>(dataSize));
  Put32(&image, kSectionTable + 20, kSectionOffset);
  const size_t directory = kSectionOffset;
  Put32(&image, directory + 24, static_cast<unsigned long>(entries.size()));
  Put32(&image, directory + 32, kSectionAddress + kExportDirectorySize);
  size_t name = kExportDirectorySize + entries.size() * 4;
  for (size_t i = 0; i < entries.size(); ++i) {
    Put32(&image, directory + kExportDirectorySize + i * 4,
          static_cast<unsigned long>(kSectionAddress + name));
    memcpy(&image[directory + name], entries[i].c_str(), entries[i].size() + 1);
    name += entries[i].size() + 1;
  }
  return image;
}
