// ApplyCountryFile: all registry work of one run.
#ifndef QVSMZAD_APPLY_COUNTRY_FILE_H
#define QVSMZAD_APPLY_COUNTRY_FILE_H

#include <cstdio>

// Stamps the run, rebuilds the Country tree from the file's country sections
// and disabled codes, and applies its Registry section, line by line in file
// order. `file` is the stream that OpenCountryFile returned.
void ApplyCountryFile(FILE* file);

#endif
