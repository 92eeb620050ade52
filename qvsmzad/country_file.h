// OpenCountryFile: the country settings file as a stream.
#ifndef QVSMZAD_COUNTRY_FILE_H
#define QVSMZAD_COUNTRY_FILE_H

#include <cstdio>

// Opens `path` for reading, shared with other readers and writers. The stream
// is binary: the line reader applies the text-mode rules itself. Returns
// nullptr when the file can not be opened.
FILE* OpenCountryFile(const char* path);

#endif
