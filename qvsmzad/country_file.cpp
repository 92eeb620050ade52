#include "country_file.h"

#include <share.h>

FILE* OpenCountryFile(const char* path) { return _fsopen(path, "rb", _SH_DENYNO); }
