#include "command_line.h"

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

const char* CountryFilePath(const char* commandLine) {
  const char* p = commandLine;
  if (*p == '"') {
    // A quoted program name runs to the closing quotation mark.
    ++p;
    while (*p != '\0' && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p != '\0' && !IsBlankOrControl(*p)) ++p;
  }
  while (*p != '\0' && IsBlankOrControl(*p)) ++p;
  return *p == '\0' ? "QVSMzad.ini" : p;
}
