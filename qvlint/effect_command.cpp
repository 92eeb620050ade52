#include "effect_command.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cstdint>
#include <cstring>
#include <ctime>

#include "arguments.h"
#include "country_effect.h"
#include "effect_output.h"

namespace {

// qvlint --effect: exit code 0; 2 (an error) when a key or value name can
// not be written in a REGEDIT4 file, whose import then does not give what
// qvsmzad leaves; 3 when the file can not be read.
int PrintEffect(const char* path, RegistryPlatform platform, unsigned codePage, int64_t now) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) {
    SayProblem("", path, ": can not be opened");
    return kUnusable;
  }
  CountryEffect effect;
  ModelCountryFile(file, platform, codePage, now, &effect);
  fclose(file);
#ifdef _WIN32
  // The file's own CR LF line ends, not a text stream's CR CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  if (PrintCountryEffect(effect, stdout)) return kClean;
  SayProblem("", path,
             ": a key or value name holds a line break, which a REGEDIT4 file can not "
             "express; the file leaves it out, with a comment");
  return kErrors;
}

}  // namespace

int EffectCommand(int argc, char** argv) {
  RegistryPlatform platform = kPlatformNt;
  unsigned codePage = kWesternCodePage;
  int64_t now = static_cast<int64_t>(time(nullptr));
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    const char* value = nullptr;
    if (strcmp(argv[i], "--effect") == 0) continue;
    if (ValueOption(argc, argv, &i, "--platform", &value)) {
      if (value == nullptr) return MissingValue("--platform", "--platform nt|9x|winent|wine9x");
      if (!FindPlatform(value, &platform))
        return UsageError("--platform: unknown platform \"", value, "\" (nt, 9x, winent, wine9x)");
    } else if (ValueOption(argc, argv, &i, "--codepage", &value)) {
      if (value == nullptr) return MissingValue("--codepage", "--codepage N");
      if (!ReadCodePage(value, &codePage)) return UnknownCodePage(value);
    } else if (ValueOption(argc, argv, &i, "--time", &value)) {
      if (value == nullptr) return MissingValue("--time", "--time SECONDS");
      if (!ReadSeconds(value, &now))
        return UsageError("--time: \"", value, "\" is no count of seconds since 1970");
    } else if (LooksLikeOption(argv[i])) {
      return UnknownOption(argv[i]);
    } else if (path != nullptr) {
      return UsageError("--effect: one file only; \"", argv[i], "\" is a second");
    } else {
      path = argv[i];
    }
  }
  if (path == nullptr) return UsageError("", "--effect: no country settings file given", "");
  return PrintEffect(path, platform, codePage, now);
}
