#include "lint_input.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/options.h"
#include "byte_stream.h"
#include "command_line.h"
#include "country_file_check.h"
#include "medium_files.h"
#include "profile.h"
#include "setup_ini_check.h"

namespace {

// The findings of one file, handed on in line order once the file is done:
// the checks go through a file section by section and key by key.
struct FileFindings {
  FindingSink* target;
  std::vector<Finding> findings;
};

void Collect(void* context, const Finding& finding) {
  static_cast<FileFindings*>(context)->findings.push_back(finding);
}

void HandOn(FileFindings* collected) {
  std::stable_sort(collected->findings.begin(), collected->findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  for (const Finding& finding : collected->findings)
    collected->target->take(collected->target->context, finding);
}

// The directory part of a file path; a root ("/" or a drive's root) keeps
// its separator.
std::string DirectoryOf(const std::string& path) {
  const size_t separator = path.find_last_of("/\\");
  if (separator == std::string::npos) return ".";
  const bool root = separator == 0 || path[separator - 1] == ':';
  return path.substr(0, root ? separator + 1 : separator);
}

std::string NameOf(const std::string& path) {
  const size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

void LintCountryStream(FILE* file, const char* name, unsigned codePage, FindingSink* sink) {
  FileFindings collected = {sink, {}};
  FindingSink collector = {Collect, &collected};
  const FindingPlace place = {name, "qvsmzad", &collector};
  LintCountryFile(file, codePage, place);
  HandOn(&collected);
}

bool LintCountryPath(const std::string& path, unsigned codePage, FindingSink* sink,
                     std::string* problem) {
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) {
    *problem = path + ": can not be opened";
    return false;
  }
  LintCountryStream(file, path.c_str(), codePage, sink);
  fclose(file);
  return true;
}

void LintSetupText(const std::string& text, const std::string& name, const MediumDir& medium,
                   FindingSink* sink, std::vector<std::string>* countryFiles) {
  FileFindings collected = {sink, {}};
  FindingSink collector = {Collect, &collected};
  const FindingPlace place = {name.c_str(), "setup", &collector};
  LintSetupIni(text, place, medium, countryFiles);
  HandOn(&collected);
}

bool LintSetupPath(const std::string& path, const MediumDir& medium, FindingSink* sink,
                   std::vector<std::string>* countryFiles, std::string* problem) {
  std::string text;
  if (!ReadFileBytes(path.c_str(), &text)) {
    *problem = path + ": can not be read";
    return false;
  }
  LintSetupText(text, path, medium, sink, countryFiles);
  return true;
}

// qvsetup.ini, then each country settings file once: the one that qvsmzad
// reads when it is started without a file name, and those the launch lists name.
bool LintMedium(const std::string& dir, unsigned codePage, FindingSink* sink,
                std::string* problem) {
  std::string setupIni;
  if (FindMediumFile(dir, kOptionsFileName, codePage, &setupIni) != kRegularFile) {
    *problem = dir + ": holds no file " + kOptionsFileName;
    return false;
  }
  std::vector<std::string> listed;
  if (!LintSetupPath(setupIni, {dir, codePage}, sink, &listed, problem)) return false;

  std::vector<std::string> countryFiles;
  std::string sample;
  if (FindMediumFile(dir, CountryFilePath("qvsmzad.exe"), codePage, &sample) == kRegularFile)
    countryFiles.push_back(sample);
  for (const std::string& file : listed) {
    bool seen = false;
    for (const std::string& earlier : countryFiles)
      seen = seen || SameNameIgnoringCase(earlier, file);
    if (!seen) countryFiles.push_back(file);
  }
  for (const std::string& file : countryFiles) {
    if (!LintCountryPath(file, codePage, sink, problem)) return false;
  }
  return true;
}

}  // namespace

bool NamesSetupIni(const std::string& path) {
  return SameNameIgnoringCase(NameOf(path), kOptionsFileName);
}

bool LintPath(const std::string& path, unsigned codePage, FindingSink* sink, std::string* problem) {
  switch (KindOfPath(path)) {
    case kNoFile:
      *problem = path + ": no such file or directory";
      return false;
    case kDirectoryFile:
      return LintMedium(path, codePage, sink, problem);
    case kRegularFile:
      break;
  }
  if (NamesSetupIni(path)) {
    std::vector<std::string> countryFiles;
    return LintSetupPath(path, {DirectoryOf(path), codePage}, sink, &countryFiles, problem);
  }
  return LintCountryPath(path, codePage, sink, problem);
}

// The checks read a country settings file more than once (its bytes, then
// the model on each registry family), which a pipe does not allow: standard
// input is read once, and the checks read that copy.
bool LintStandardInput(const StandardInput& input, unsigned codePage, FindingSink* sink,
                       std::string* problem) {
  std::string bytes;
  if (!ReadStream(stdin, &bytes)) {
    *problem = input.name + ": can not be read";
    return false;
  }
  if (input.setupIni) {
    std::vector<std::string> countryFiles;
    LintSetupText(bytes, input.name, MediumDir{DirectoryOf(input.name), codePage}, sink,
                  &countryFiles);
    return true;
  }
  FILE* stream = StreamOfBytes(&bytes);
  if (stream == nullptr) {
    *problem = input.name + ": can not be read";
    return false;
  }
  LintCountryStream(stream, input.name.c_str(), codePage, sink);
  fclose(stream);
  return true;
}
