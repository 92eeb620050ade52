#include "effect_output.h"

#include "shown_text.h"

namespace {

const char kLineEnd[] = "\r\n";

const char* PlatformText(RegistryPlatform platform) {
  // In the order of RegistryPlatform.
  const char* const texts[kPlatformCount] = {"Windows NT 4.0 and 2000", "Windows 95, 98 and ME",
                                             "Wine set to Windows NT 4.0 or 2000",
                                             "Wine set to Windows 95, 98 or ME"};
  return texts[platform];
}

void PrintAssumptions(const RegistryModel& model, FILE* stream) {
  const char* const lines[] = {
      "; What qvsmzad leaves in the registry after a run on this file.",
      "; It assumes: a machine without earlier country settings and without the values",
      "; that the Registry lines name; a run with administrator rights.",
      "; Removal lines ([-key] and \"name\"=-) need the regedit of Windows 98 Second",
      "; Edition, NT 4.0 or later.",
  };
  for (const char* line : lines) fprintf(stream, "%s%s", line, kLineEnd);
  fprintf(stream, "; Platform: %s; names in code page %u.%s%s", PlatformText(model.platform),
          model.codePage.number, kLineEnd, kLineEnd);
}

}  // namespace

bool PrintCountryEffect(const CountryEffect& effect, FILE* stream) {
  fprintf(stream, "REGEDIT4%s%s", kLineEnd, kLineEnd);
  PrintAssumptions(effect.model, stream);
  fprintf(stream, "[-HKEY_LOCAL_MACHINE\\%s]%s%s", kCountryKeyPath, kLineEnd, kLineEnd);
  return PrintRegistryKeys(effect.model, stream);
}
