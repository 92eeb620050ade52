// The smallest files that Windows takes for a program and for a library:
// what the simulated machine's programs and setup libraries hold, so that
// whatever reads their headers (the checks before a run's first change)
// reads what a real file would tell.
#ifndef MODEL_PROGRAM_IMAGE_H
#define MODEL_PROGRAM_IMAGE_H

#include <string>
#include <vector>

// A program's file: the "MZ" header of an executable, and no more.
std::string ProgramImage();

// A PE32 library's file whose export table names the entries, in order.
std::string LibraryImage(const std::vector<std::string>& entries);

// Writes the width low bytes of value at `at`, the lowest first, as a PE
// file holds its numbers.
void PutLittleEndian(std::string* bytes, size_t at, unsigned long value, size_t width);

#endif
