// qvlint: reports every line of a qvsetup.ini, a country settings file or a
// whole medium that setup or qvsmzad passes over in silence, or reads
// otherwise than it looks, and what the program does instead.
//   qvlint [--json] [--ignore CODE[,CODE...]]... PATH...
//       PATH "-": a country settings file on standard input;
//       exit code 0: no findings (notes may be printed), 1: findings,
//       2: unreadable input or an unusable command line
//   qvlint --codes             the finding codes
//   qvlint --effect [--platform 9x|nt] FILE
//                              what qvsmzad writes from FILE, as a REGEDIT4 file
//   qvlint --help | -h         the usage, exit code 0
//   qvlint --version           the project's version, exit code 0
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "country_effect.h"
#include "effect_output.h"
#include "lint_input.h"
#include "output.h"
#include "shown_text.h"

namespace {

const char kUsage[] =
    "usage: qvlint [--json] [--ignore CODE[,CODE...]]... PATH...\n"
    "           check a medium directory, a qvsetup.ini or a country settings file; \"-\"\n"
    "           reads a country settings file from standard input, named <stdin>;\n"
    "           one line per finding:  file:line:column: warning: reason; effect [code]\n"
    "           and per note:          file:line:column: note: reason; effect [code]\n"
    "           --json prints them as a JSON array instead;\n"
    "           --ignore neither prints nor counts the findings and notes of the codes named\n"
    "       qvlint --codes\n"
    "           list the finding codes with their severity: a finding makes the exit code 1,\n"
    "           a note does not\n"
    "       qvlint --effect [--platform 9x|nt] FILE\n"
    "           print what qvsmzad writes from the country settings file FILE, as a REGEDIT4\n"
    "           file (NT rules by default)\n"
    "       qvlint --help | -h | --version\n"
    "exit code: 0 nothing found or notes only, 1 findings, 2 an input can not be read or\n"
    "the command line is unusable\n";

const char kIgnoreOption[] = "--ignore";

enum ExitCode { kClean = 0, kFindings = 1, kUnreadable = 2 };

// The list of codes after --ignore, as "--ignore LIST" or "--ignore=LIST";
// nullptr when the argument is no --ignore or the list is missing.
const char* IgnoreList(int argc, char** argv, int* i) {
  const size_t length = sizeof kIgnoreOption - 1;
  if (strncmp(argv[*i], kIgnoreOption, length) != 0) return nullptr;
  if (argv[*i][length] == '=') return argv[*i] + length + 1;
  if (argv[*i][length] != '\0' || *i + 1 == argc) return nullptr;
  return argv[++*i];
}

void SayProblem(const char* before, const std::string& text, const char* after) {
  fprintf(stderr, "qvlint: %s", before);
  PrintEscapingControls(stderr, text.c_str());
  fprintf(stderr, "%s\n", after);
}

// qvlint --effect: exit code 0, 1 when a key name can not be written in a
// REGEDIT4 file, 2 when the file can not be read.
int PrintEffect(const char* path, RegistryPlatform platform) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) {
    SayProblem("", path, ": can not be opened");
    return kUnreadable;
  }
  CountryEffect effect;
  ModelCountryFile(file, platform, static_cast<int64_t>(time(nullptr)), &effect);
  fclose(file);
#ifdef _WIN32
  // The file's own CR LF line ends, not a text stream's CR CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
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
  if (HasArgument(argc, argv, "--help") || HasArgument(argc, argv, "-h")) {
    fputs(kUsage, stdout);
    return kClean;
  }
  if (HasArgument(argc, argv, "--version")) {
    puts("qvlint " QVLINT_VERSION);
    return kClean;
  }
  if (HasArgument(argc, argv, "--effect")) return EffectCommand(argc, argv);
  Output output = {stdout, false, {}, 0, 0};
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--json") == 0) {
      output.json = true;
    } else if (strcmp(argv[i], "--codes") == 0 && argc == 2) {
      PrintFindingCodes(stdout);
      return kClean;
    } else if (const char* names = IgnoreList(argc, argv, &i)) {
      std::string unknown;
      if (!IgnoreCodes(names, &output, &unknown)) {
        SayProblem("--ignore: no finding code is named \"", unknown,
                   "\" (qvlint --codes lists them)");
        return kUnreadable;
      }
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

#ifdef _WIN32
  // A country settings file on standard input as qvsmzad would read it from
  // disk: its CR LF pairs and a Ctrl-Z are for the checks to judge.
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  FindingSink sink = {PrintFinding, &output};
  StartOutput(&output);
  bool unreadable = false;
  for (const std::string& path : paths) {
    std::string problem;
    if (!LintPath(path, &sink, &problem)) {
      SayProblem("", problem, "");
      unreadable = true;
    }
  }
  FinishOutput(&output);
  if (unreadable) return kUnreadable;
  return output.failing > 0 ? kFindings : kClean;
}
