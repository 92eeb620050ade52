#include "apply_country_file.h"

#include <windows.h>

#include "buffer_sizes.h"
#include "country_line.h"
#include "line_kind.h"
#include "line_reader.h"
#include "registry_line.h"
#include "registry_writer.h"

namespace {

// State of one run between the reset of the Country key and its end.
struct CountryRun {
  HKEY countryKey;      // nullptr when it could be neither opened nor created
  HKEY sectionKey;      // key of CurrentSection, opened at its first content line
  unsigned entryCount;  // section and disabled-code keys created in this run
  char currentSection[kSectionSize];
};

void CloseSectionKey(CountryRun* run) {
  if (run->sectionKey != nullptr) RegCloseKey(run->sectionKey);
  run->sectionKey = nullptr;
}

void TakeSectionHeader(CountryRun* run, const char* line) {
  CloseSectionKey(run);
  CopySectionName(line, run->currentSection, sizeof run->currentSection);
}

void ApplyDisabledLine(CountryRun* run, const char* line) {
  char code[3];
  if (!ParseDisabledCountry(line, code)) return;
  if (run->countryKey != nullptr) CreateDisabledKey(run->countryKey, code);
  ++run->entryCount;
}

void ApplyRegistrySectionLine(const char* line) {
  RegistryLine registryLine;
  if (ParseRegistryLine(line, &registryLine)) ApplyRegistryLine(registryLine);
}

void ApplyCountrySectionLine(CountryRun* run, const char* line) {
  // Every content line opens the section's key when none is open, and it
  // counts as created even when the creation failed. A line without "="
  // opens it too, so a section of empty lines leaves an empty key.
  if (run->sectionKey == nullptr) {
    if (run->countryKey != nullptr) {
      run->sectionKey = CreateWritableKey(run->countryKey, run->currentSection);
    }
    ++run->entryCount;
  }
  CountryValue value;
  if (run->sectionKey != nullptr && ParseCountryValue(line, &value)) {
    WriteCountryValue(run->sectionKey, value);
  }
}

void ApplyContentLine(CountryRun* run, const char* line) {
  switch (KindOfSection(run->currentSection)) {
    case kNoSection:
      break;
    case kDisabledSection:
      ApplyDisabledLine(run, line);
      break;
    case kRegistrySection:
      ApplyRegistrySectionLine(line);
      break;
    case kCountrySection:
      ApplyCountrySectionLine(run, line);
      break;
  }
}

}  // namespace

void ApplyCountryFile(FILE* file) {
  WriteTimeStamp();
  CountryRun run;
  run.countryKey = ResetCountryKey();
  run.sectionKey = nullptr;
  run.entryCount = 0;
  run.currentSection[0] = '\0';

  LineReader reader;
  StartLineReader(&reader, file);
  char line[kLineSize];
  while (ReadLine(&reader, line, sizeof line)) {
    switch (ClassifyLine(line)) {
      case kCommentLine:
      case kBrokenHeader:
        break;
      case kSectionHeader:
        TakeSectionHeader(&run, line);
        break;
      case kContentLine:
        ApplyContentLine(&run, line);
        break;
    }
  }

  CloseSectionKey(&run);
  if (run.countryKey != nullptr) RegCloseKey(run.countryKey);
  if (run.entryCount == 0) DeleteCountryKey();
}
