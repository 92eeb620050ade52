// Content lines of the country sections and of the Disable_Country section.
#ifndef QVSMZAD_COUNTRY_LINE_H
#define QVSMZAD_COUNTRY_LINE_H

#include <cstdint>

#include "buffer_sizes.h"

struct CountryValue {
  char name[kFieldSize];  // everything before the first "=", verbatim
  int32_t value;
  bool hasBounds;         // the line gave a minimum and a maximum
  int32_t minimum;
  int32_t maximum;
};

// Reads `<name>=<value>` or `<name>=<value>,<min>,<max>`. Returns false when
// the line holds no "=". A line with exactly one comma after the "=" gives
// the value only: it supplies no complete range, so no bounds are stored.
bool ParseCountryValue(const char* line, CountryValue* out);

// Reads a disabled country code: after leading white space, the run of
// hexadecimal digits, upper-cased. Returns false (the line is void) unless
// the run is one or two digits long. `code` receives at most two characters.
bool ParseDisabledCountry(const char* line, char code[3]);

#endif
