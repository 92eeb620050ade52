// The country settings file named on the command line.
#include <gtest/gtest.h>

#include <string>

#include "command_line.h"
#include "table_cases.h"

namespace {

TEST(CountryFilePath, TakesTheRestOfTheCommandLineVerbatim) {
  const Row<const char*, std::string> cases[] = {
      {"qvsmzad.exe", "QVSMzad.ini"},
      {"qvsmzad.exe   ", "QVSMzad.ini"},
      {"", "QVSMzad.ini"},
      {"qvsmzad.exe other.ini", "other.ini"},
      {"qvsmzad.exe \t other.ini", "other.ini"},
      {"qvsmzad.exe other.ini  ", "other.ini  "},
      {"qvsmzad.exe \"my file.ini\"", "\"my file.ini\""},
      {"qvsmzad.exe a b", "a b"},
      {"\"C:\\Program Files\\qvsmzad.exe\" x.ini", "x.ini"},
      {"\"C:\\Program Files\\qvsmzad.exe\"", "QVSMzad.ini"},
      {"\"C:\\dir\\qvsmzad.exe\"x.ini", "x.ini"},
      {"\"unterminated name", "QVSMzad.ini"},
      {"C:\\MEDIUM\\QVSMZAD.EXE C:\\WORK\\COUNTRY.INI", "C:\\WORK\\COUNTRY.INI"},
  };
  ExpectEach(cases, CountryFilePath);
}

}  // namespace
