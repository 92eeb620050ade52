// Runs qvlint's checks on texts and files made by a test and collects what
// they report as "line:code" strings, "line:column:code" for a finding that
// starts past column 1, in file order.
#ifndef TESTS_UNIT_QVLINT_SUPPORT_H
#define TESTS_UNIT_QVLINT_SUPPORT_H

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "code_page.h"
#include "country_file_check.h"
#include "finding.h"
#include "setup_ini_check.h"

struct Collected {
  std::vector<std::string> codes;  // "line:code" or "line:column:code"
  std::vector<Finding> findings;
};

inline void CollectFinding(void* context, const Finding& finding) {
  Collected* collected = static_cast<Collected*>(context);
  const std::string column = finding.column != 1 ? std::to_string(finding.column) + ":" : "";
  collected->codes.push_back(std::to_string(finding.line) + ":" + column +
                             FindingCodeName(finding.code));
  collected->findings.push_back(finding);
}

inline Collected LintCountryText(const std::string& text, unsigned codePage = kWesternCodePage) {
  Collected collected;
  FindingSink sink = {CollectFinding, &collected};
  const FindingPlace place = {"QVSMzad.ini", "qvsmzad", &sink};
  FILE* file = tmpfile();
  fwrite(text.data(), 1, text.size(), file);
  rewind(file);
  LintCountryFile(file, codePage, place);
  fclose(file);
  // In line order, as qvlint prints them.
  std::stable_sort(collected.codes.begin(), collected.codes.end(),
                   [](const std::string& a, const std::string& b) {
                     return std::stoul(a) < std::stoul(b);
                   });
  return collected;
}

inline Collected LintSetupText(const std::string& text, const std::string& mediumDir,
                               std::vector<std::string>* countryFiles = nullptr) {
  Collected collected;
  FindingSink sink = {CollectFinding, &collected};
  const FindingPlace place = {"qvsetup.ini", "setup", &sink};
  std::vector<std::string> unused;
  LintSetupIni(text, place, {mediumDir, kWesternCodePage}, countryFiles ? countryFiles : &unused);
  // In line order, as qvlint prints them.
  std::stable_sort(collected.codes.begin(), collected.codes.end(),
                   [](const std::string& a, const std::string& b) {
                     return std::stoul(a) < std::stoul(b);
                   });
  return collected;
}

#endif
