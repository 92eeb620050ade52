#include "apply_country_file_rules.h"

#include "buffer_sizes.h"
#include "line_kind.h"
#include "line_reader.h"

namespace {

// State of one run between the reset of the Country key and its end.
struct CountryRun {
  const CountryRegistryWork* work;
  bool countryKeyOpen;  // false when it could be neither opened nor created
  void* sectionKey;     // key of CurrentSection, opened at its first content line
  unsigned entryCount;  // section and disabled-code keys created in this run
  char currentSection[kSectionSize];
};

void CloseSectionKey(CountryRun* run) {
  if (run->sectionKey != nullptr) run->work->closeSectionKey(run->work->context, run->sectionKey);
  run->sectionKey = nullptr;
}

void TakeSectionHeader(CountryRun* run, const char* line) {
  CloseSectionKey(run);
  CopySectionName(line, run->currentSection, sizeof run->currentSection);
}

void ApplyDisabledLine(CountryRun* run, const char* line) {
  char code[3];
  if (!ParseDisabledCountry(line, code)) return;
  if (run->countryKeyOpen) run->work->createDisabledKey(run->work->context, code);
  ++run->entryCount;
}

void ApplyRegistrySectionLine(const CountryRun& run, const char* line) {
  RegistryLine registryLine;
  if (ParseRegistryLine(line, &registryLine)) {
    run.work->applyRegistryLine(run.work->context, registryLine);
  }
}

void ApplyCountrySectionLine(CountryRun* run, const char* line) {
  // Every content line opens the section's key when none is open, and it
  // counts as created even when the creation failed (the next line then
  // tries again). A line without "=" opens it too, so a section of empty
  // lines leaves an empty key.
  if (run->sectionKey == nullptr) {
    if (run->countryKeyOpen) {
      run->sectionKey = run->work->createSectionKey(run->work->context, run->currentSection);
    }
    ++run->entryCount;
  }
  CountryValue value;
  if (run->sectionKey != nullptr && ParseCountryValue(line, &value)) {
    run->work->writeCountryValue(run->work->context, run->sectionKey, value);
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
      ApplyRegistrySectionLine(*run, line);
      break;
    case kCountrySection:
      ApplyCountrySectionLine(run, line);
      break;
  }
}

}  // namespace

void WalkCountryFile(FILE* file, const CountryRegistryWork& work) {
  work.writeTimeStamp(work.context);
  CountryRun run;
  run.work = &work;
  run.countryKeyOpen = work.resetCountryKey(work.context);
  run.sectionKey = nullptr;
  run.entryCount = 0;
  run.currentSection[0] = '\0';

  LineReader reader;
  StartLineReader(&reader, file);
  char line[kLineSize];
  unsigned lineNumber = 1;
  size_t length;
  while ((length = ReadLine(&reader, line, sizeof line)) > 0) {
    if (work.takePiece != nullptr) work.takePiece(work.context, line, length, lineNumber);
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
    if (line[length - 1] == '\n') ++lineNumber;
  }

  CloseSectionKey(&run);
  if (run.countryKeyOpen) work.closeCountryKey(work.context);
  if (run.entryCount == 0) work.deleteCountryKey(work.context);
}
