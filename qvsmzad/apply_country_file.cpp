#include "apply_country_file.h"

#include <windows.h>

#include "apply_country_file_rules.h"
#include "registry_writer.h"

namespace {

// The registry work of the walk, done on the registry.
struct RegistryRun {
  HKEY countryKey;  // nullptr when it could be neither opened nor created
};

RegistryRun* RunOf(void* context) { return static_cast<RegistryRun*>(context); }

void StampRun(void*) { WriteTimeStamp(); }

bool ResetCountry(void* context) {
  RunOf(context)->countryKey = ResetCountryKey();
  return RunOf(context)->countryKey != nullptr;
}

void* CreateSection(void* context, const char* section) {
  return CreateWritableKey(RunOf(context)->countryKey, section);
}

void CloseSection(void*, void* sectionKey) { RegCloseKey(static_cast<HKEY>(sectionKey)); }

void WriteValue(void*, void* sectionKey, const CountryValue& value) {
  WriteCountryValue(static_cast<HKEY>(sectionKey), value);
}

void CreateDisabled(void* context, const char* code) {
  CreateDisabledKey(RunOf(context)->countryKey, code);
}

void ApplyLine(void*, const RegistryLine& line) { ApplyRegistryLine(line); }

void CloseCountry(void* context) { RegCloseKey(RunOf(context)->countryKey); }

void DeleteCountry(void*) { DeleteCountryKey(); }

}  // namespace

void ApplyCountryFile(FILE* file) {
  RegistryRun run = {nullptr};
  const CountryRegistryWork work = {&run,         StampRun,      ResetCountry,   CreateSection,
                                    CloseSection, WriteValue,    CreateDisabled, ApplyLine,
                                    CloseCountry, DeleteCountry, nullptr};
  WalkCountryFile(file, work);
}
