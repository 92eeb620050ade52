// Content lines of the country sections and of the Disable_Country section.
#ifndef QVSMZAD_COUNTRY_LINE_H
#define QVSMZAD_COUNTRY_LINE_H

#include <cstdint>

#include "buffer_sizes.h"

struct CountryValue {
  char name[kFieldSize];  // everything before the first "=", verbatim
  int32_t value;
  bool hasBounds;  // the line gave a minimum and a maximum
  int32_t minimum;
  int32_t maximum;
};

// Where the parts of a CountryValue line lie: its first "=" and the commas
// that end the value and the minimum.
struct CountryValueParts {
  const char* equals;
  const char* firstComma;   // nullptr when the value stands alone
  const char* secondComma;  // nullptr unless the line gives a maximum
};

// Finds the parts of `line`. Returns false when it holds no "=".
bool SplitCountryValue(const char* line, CountryValueParts* parts);

// Reads `<name>=<value>` or `<name>=<value>,<min>,<max>`. Returns false when
// the line holds no "=". A line with exactly one comma after the "=" gives
// the value only: it supplies no complete range, so no bounds are stored.
bool ParseCountryValue(const char* line, CountryValue* out);

// Why a Disable_Country line is void, or kDisabledCodeUsable.
enum DisabledCodeFault {
  kDisabledCodeUsable,
  kNoHexDigit,       // the run of hexadecimal digits is empty
  kTooManyHexDigits  // three digits or more
};

// Reads a disabled country code: after leading white space, the run of
// hexadecimal digits, upper-cased. The line is void unless the run is one or
// two digits long. `code` receives at most two characters.
DisabledCodeFault CheckDisabledCountry(const char* line, char code[3]);

// CheckDisabledCountry as a yes or no: false when the line is void.
bool ParseDisabledCountry(const char* line, char code[3]);

#endif
