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

// qvlint --effect: exit code 0, 1 when a key or value name can not be
// written in a REGEDIT4 file, 2 when the file can not be read.
int PrintEffect(const char* path, RegistryPlatform platform, unsigned codePage, int64_t now) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) {
    SayProblem("", path, ": can not be opened");
    return kUnreadable;
  }
  CountryEffect effect;
  ModelCountryFile(file, platform, codePage, now, &effect);
  fclose(file);
#ifdef _WIN32
  // The file's own CR LF line ends, not a text stream's CR CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return PrintCountryEffect(effect, stdout) ? kClean : kFindings;
}

}  // namespace

int EffectCommand(int argc, char** argv) {
  RegistryPlatform platform = kPlatformNt;
  unsigned codePage = kWesternCodePage;
  int64_t now = static_cast<int64_t>(time(nullptr));
  const char* path = nullptr;
  bool usable = true;
  for (int i = 1; i < argc && usable; ++i) {
    long long seconds = 0;
    bool valid = true;
    if (strcmp(argv[i], "--effect") == 0) continue;
    if (strcmp(argv[i], "--platform") == 0 && i + 1 < argc) {
      usable = FindPlatform(argv[++i], &platform);
    } else if (CodePageOption(argc, argv, &i, &codePage, &valid)) {
      usable = valid;
    } else if (NumberOption(argc, argv, &i, "--time", &seconds, &valid)) {
      usable = valid && seconds >= 0;
      now = seconds;
    } else if (path == nullptr && strncmp(argv[i], "--", 2) != 0) {
      path = argv[i];
    } else {
      usable = false;
    }
  }
  if (path == nullptr || !usable) {
    PrintUsage(stderr);
    return kUnreadable;
  }
  return PrintEffect(path, platform, codePage, now);
}
