// qvlint's checks of a country settings file and of qvsetup.ini: every
// finding names a line of the input and a column within it or just past its
// end, a known code, some of the registry families and texts that hold no
// control byte, whatever bytes the file brings. The first byte
// chooses the file kind. A country settings file also goes through the
// model of qvsmzad on both registry families, whose effect is printed as a
// REGEDIT4 file.
#include <stdio.h>

#include <string>
#include <vector>

#include "code_page.h"
#include "country_effect.h"
#include "country_file_check.h"
#include "effect_output.h"
#include "fuzz_check.h"
#include "setup_ini_check.h"

namespace {

struct Seen {
  unsigned lastLine;
  std::vector<size_t> lengths;  // of the lines as the file's reader ends them, without their ends
};

bool HoldsNoControlByte(const char* text) {
  for (const char* p = text; *p != '\0'; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

std::vector<size_t> LineLengths(const std::string& text) {
  std::vector<size_t> lengths(1, 0);
  for (char c : text) {
    if (c == '\n')
      lengths.push_back(0);
    else
      ++lengths.back();
  }
  return lengths;
}

// The profile reader of qvsetup.ini ends a line at a line feed, a CR LF
// pair or a CR alone.
std::vector<size_t> ProfileLineLengths(const std::string& text) {
  std::vector<size_t> lengths(1, 0);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\n' || text[i] == '\r')
      lengths.push_back(0);
    else
      ++lengths.back();
  }
  return lengths;
}

unsigned LineCount(const std::string& text) {
  unsigned lines = 1;
  for (char c : text)
    if (c == '\n' || c == '\r') ++lines;
  return lines;
}

void Check(void* context, const Finding& finding) {
  const Seen* seen = static_cast<const Seen*>(context);
  FUZZ_CHECK(finding.line >= 1 && finding.line <= seen->lastLine);
  FUZZ_CHECK(finding.code < kFindingCodeCount);
  FUZZ_CHECK(FindingCodeName(finding.code) != nullptr);
  FUZZ_CHECK(finding.line <= seen->lengths.size());
  FUZZ_CHECK(finding.column >= 1 && finding.column <= seen->lengths[finding.line - 1] + 1);
  FUZZ_CHECK(finding.platforms != 0 && (finding.platforms & ~unsigned{kOnEvery}) == 0);
  FUZZ_CHECK(HoldsNoControlByte(finding.reason.text.c_str()));
  FUZZ_CHECK(HoldsNoControlByte(finding.effect.text.c_str()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool countryFile = data[0] & 1;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  Seen seen = {LineCount(text), countryFile ? LineLengths(text) : ProfileLineLengths(text)};
  FindingSink sink = {Check, &seen};
  if (countryFile) {
    FindingPlace place = {"country.ini", "qvsmzad", &sink};
    FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
    if (file == nullptr) return 0;  // an empty input opens no stream
    // The second bit picks a double-byte code page, whose trail bytes take
    // part in splitting and comparing names.
    const unsigned codePage = (data[0] & 2) != 0 ? 932 : kWesternCodePage;
    LintCountryFile(file, codePage, place);
    FILE* sinkFile = fopen("/dev/null", "wb");
    for (int platform = 0; platform < kPlatformCount; ++platform) {
      rewind(file);
      CountryEffect effect;
      ModelCountryFile(file, static_cast<RegistryPlatform>(platform), codePage, 0, &effect);
      FUZZ_CHECK(effect.lines <= seen.lastLine);
      for (const LineEffect& entry : effect.journal)
        FUZZ_CHECK(entry.line >= 1 && entry.line <= effect.lines);
      if (sinkFile != nullptr) PrintCountryEffect(effect, sinkFile);
    }
    if (sinkFile != nullptr) fclose(sinkFile);
    fclose(file);
  } else {
    FindingPlace place = {"qvsetup.ini", "setup", &sink};
    std::vector<std::string> countryFiles;
    LintSetupIni(text, place, {"/nonexistent-medium", kWesternCodePage}, &countryFiles);
  }
  return 0;
}
