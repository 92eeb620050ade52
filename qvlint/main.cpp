// qvlint: reports every line of a qvsetup.ini, a country settings file or a
// whole medium that setup or qvsmzad passes over in silence, or reads
// otherwise than it looks, and what the program does instead.
//   qvlint [--json] PATH...    exit code 0: clean, 1: findings, 2: unreadable input
//   qvlint --codes             the finding codes
//   qvlint --effect [--platform 9x|nt] FILE
//                              what qvsmzad writes from FILE, as a REGEDIT4 file
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "country_effect.h"
#include "effect_output.h"
#include "lint_input.h"
#include "output.h"

namespace {

const char kUsage[] =
    "usage: qvlint [--json] PATH...   check a medium directory, a qvsetup.ini or a country "
    "settings file\n"
    "       qvlint --codes            list the finding codes\n"
    "       qvlint --effect [--platform 9x|nt] FILE\n"
    "                                 print what qvsmzad writes from the country settings\n"
    "                                 file FILE, as a REGEDIT4 file (NT rules by default)\n";

enum ExitCode { kClean = 0, kFindings = 1, kUnreadable = 2 };

// qvlint --effect: exit code 0, 1 when a key name can not be written in a
// REGEDIT4 file, 2 when the file can not be read.
int PrintEffect(const char* path, RegistryPlatform platform) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) {
    fprintf(stderr, "qvlint: %s: can not be opened\n", path);
    return kUnreadable;
  }
  CountryEffect effect;
  ModelCountryFile(file, platform, static_cast<int64_t>(time(nullptr)), &effect);
  fclose(file);
  return PrintCountryEffect(effect, stdout) ? kClean : kFindings;
}

bool HasArgument(int argc, char** argv, const char* wanted) {
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], wanted) == 0) return true;
  }
  return false;
}

// The arguments beside --effect: an optional --platform and one file.
int EffectCommand(int argc, char** argv) {
  RegistryPlatform platform = kPlatformNt;
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--effect") == 0) continue;
    if (strcmp(argv[i], "--platform") == 0 && i + 1 < argc &&
        (strcmp(argv[i + 1], "9x") == 0 || strcmp(argv[i + 1], "nt") == 0)) {
      platform = strcmp(argv[++i], "9x") == 0 ? kPlatform9x : kPlatformNt;
    } else if (path == nullptr && strncmp(argv[i], "--", 2) != 0) {
      path = argv[i];
    } else {
      path = nullptr;
      break;
    }
  }
  if (path == nullptr) {
    fputs(kUsage, stderr);
    return kUnreadable;
  }
  return PrintEffect(path, platform);
}

}  // namespace

int main(int argc, char** argv) {
  if (HasArgument(argc, argv, "--effect")) return EffectCommand(argc, argv);
  bool json = false;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--json") == 0) {
      json = true;
    } else if (strcmp(argv[i], "--codes") == 0 && argc == 2) {
      PrintFindingCodes(stdout);
      return kClean;
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      fputs(kUsage, stderr);
      return kUnreadable;
    } else {
      paths.push_back(argv[i]);
    }
  }
  if (paths.empty()) {
    fputs(kUsage, stderr);
    return kUnreadable;
  }

  Output output = {stdout, json, 0};
  FindingSink sink = {PrintFinding, &output, 0};
  StartOutput(&output);
  bool unreadable = false;
  for (const std::string& path : paths) {
    std::string problem;
    if (!LintPath(path, &sink, &problem)) {
      fprintf(stderr, "qvlint: %s\n", problem.c_str());
      unreadable = true;
    }
  }
  FinishOutput(&output);
  if (unreadable) return kUnreadable;
  return sink.count > 0 ? kFindings : kClean;
}
