// qvlint: reports every line of a qvsetup.ini, a country settings file or a
// whole medium that setup or qvsmzad passes over in silence, or reads
// otherwise than it looks, and what the program does instead.
//   qvlint [--json] [--codepage N] [--ignore CODE[,CODE...]]... PATH...
//       PATH "-": a country settings file on standard input;
//       exit code 0: no findings (notes may be printed), 1: findings,
//       2: unreadable input or an unusable command line
//   qvlint --codes             the finding codes
//   qvlint --effect [--platform P] [--codepage N] [--time SECONDS] FILE
//                              what qvsmzad writes from FILE, as a REGEDIT4 file
//   qvlint --plan CLASS|all [--json] [--switches LETTERS] [--hardware-id ID]
//          [--machine FILE.reg] [--libraries FILE] [--windows-dir DIR]
//          [--time SECONDS] MEDIUM
//                              what setup's silent run does with MEDIUM on a
//                              simulated machine (the native build only)
//   qvlint --help | -h         the usage, exit code 0
//   qvlint --version           the project's version, exit code 0
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "code_page.h"
#include "country_effect.h"
#include "effect_output.h"
#include "lint_input.h"
#include "output.h"
#include "shown_text.h"
#ifdef QVLINT_PLAN
#include <cctype>
#include <memory>

#include "base/options.h"
#include "medium_files.h"
#include "plan_output.h"
#endif

namespace {

const char kUsage[] =
    "usage: qvlint [--json] [--codepage N] [--ignore CODE[,CODE...]]... PATH...\n"
    "           check a medium directory, a qvsetup.ini or a country settings file; \"-\"\n"
    "           reads a country settings file from standard input, named <stdin>;\n"
    "           one line per finding:  file:line:column: warning: reason; effect [code]\n"
    "           and per note:          file:line:column: note: reason; effect [code]\n"
    "           --json prints them as a JSON array instead;\n"
    "           --ignore neither prints nor counts the findings and notes of the codes named;\n"
    "           --codepage: the machine's ANSI code page, in which the registry reads names\n"
    "           (874, 1250 to 1258, 932, 936, 949, 950; 1252 by default)\n"
    "       qvlint --codes\n"
    "           list the finding codes with their severity: a finding makes the exit code 1,\n"
    "           a note does not\n"
    "       qvlint --effect [--platform nt|9x|winent|wine9x] [--codepage N] [--time SECONDS] FILE\n"
    "           print what qvsmzad writes from the country settings file FILE, as a REGEDIT4\n"
    "           file: on Windows NT 4.0 and 2000 (nt, the default), 95, 98 and ME (9x), or\n"
    "           Wine set to either; --time: the run's time in seconds since 1970 (now)\n"
#ifdef QVLINT_PLAN
    "       qvlint --plan CLASS|all [--json] [--switches S|SD|SR|SDR] [--hardware-id ID]\n"
    "                   [--machine FILE.reg] [--libraries FILE] [--windows-dir DIR]\n"
    "                   [--time SECONDS] MEDIUM\n"
    "           print what setup's silent run does with the medium directory MEDIUM on a\n"
    "           simulated machine of the class (95, 98, 98se, me, nt4, 2000), step by step,\n"
    "           with the files and registry it leaves and its exit code; \"all\": a table of\n"
    "           every class. --machine: the machine's registry, a regedit export;\n"
    "           --libraries: the setup libraries' answers, as qvstandin.ini scripts them\n"
    "           (every entry succeeds by default); --hardware-id: Windows 2000's\n"
    "           GetHardWareId hands back ID (it answers 0 by default); --windows-dir:\n"
    "           C:\\WINDOWS on 9x, C:\\WINNT on NT by default; findings follow the plan\n"
#endif
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

bool HasArgument(int argc, char** argv, const char* wanted) {
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], wanted) == 0) return true;
  }
  return false;
}

// The number after an option such as --codepage, as "--codepage N" or
// "--codepage=N"; false when the argument is no such option. A missing or
// malformed number leaves `valid` false.
bool NumberOption(int argc, char** argv, int* i, const char* option, long long* number,
                  bool* valid) {
  const size_t length = strlen(option);
  if (strncmp(argv[*i], option, length) != 0) return false;
  const char* text = nullptr;
  if (argv[*i][length] == '=')
    text = argv[*i] + length + 1;
  else if (argv[*i][length] == '\0' && *i + 1 < argc)
    text = argv[++*i];
  else if (argv[*i][length] != '\0')
    return false;
  char* end = nullptr;
  *valid = text != nullptr && *text != '\0' && (*number = strtoll(text, &end, 10), *end == '\0');
  return true;
}

bool CodePageOption(int argc, char** argv, int* i, unsigned* codePage, bool* valid) {
  long long number = 0;
  if (!NumberOption(argc, argv, i, "--codepage", &number, valid)) return false;
  *valid = *valid && number > 0 && number < 65536 &&
           SupportedCodePage(static_cast<unsigned>(number));
  if (*valid) *codePage = static_cast<unsigned>(number);
  return true;
}

// The arguments beside --effect: --platform, --codepage, --time and one file.
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
    fputs(kUsage, stderr);
    return kUnreadable;
  }
  return PrintEffect(path, platform, codePage, now);
}

#ifdef QVLINT_PLAN

bool ReadWholeFile(const char* path, std::string* bytes) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return false;
  char buffer[65536];
  size_t read;
  while ((read = fread(buffer, 1, sizeof buffer, file)) > 0) bytes->append(buffer, read);
  const bool whole = ferror(file) == 0;
  fclose(file);
  return whole;
}

// S, D and R in any case and order; S is implied.
bool ReadSwitches(const char* letters, PlanRequest* request) {
  for (const char* letter = letters; *letter; ++letter) {
    const char upper = static_cast<char>(toupper(static_cast<unsigned char>(*letter)));
    if (upper == 'D')
      request->removeSwitch = true;
    else if (upper == 'R')
      request->refreshSwitch = true;
    else if (upper != 'S')
      return false;
  }
  return true;
}

// A directory on the machine's drive C:, without a trailing backslash.
bool ReadWindowsDir(const char* text, PlanRequest* request) {
  std::string dir = text;
  while (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  request->windowsDir = dir;
  return dir.size() > 3 && (dir[0] == 'C' || dir[0] == 'c') && dir.compare(1, 2, ":\\") == 0;
}

// The arguments beside --plan: the class, the options and one medium
// directory. Exit code 0, 1 with findings, 2 for an unusable command line or
// an input that can not be read.
int PlanCommand(int argc, char** argv) {
  PlanRequest request = {};
  request.startTime = static_cast<int64_t>(time(nullptr));
  const char* className = nullptr;
  const char* medium = nullptr;
  bool json = false, usable = true;
  for (int i = 1; i < argc && usable; ++i) {
    long long seconds = 0;
    bool valid = true;
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    const std::string option = argv[i];
    const bool takesValue = option == "--plan" || option == "--switches" ||
                            option == "--hardware-id" || option == "--machine" ||
                            option == "--libraries" || option == "--windows-dir";
    if (takesValue && value == nullptr) {
      usable = false;
    } else if (option == "--plan") {
      className = argv[++i];
    } else if (option == "--json") {
      json = true;
    } else if (option == "--switches") {
      usable = ReadSwitches(argv[++i], &request);
    } else if (option == "--hardware-id") {
      request.hasHardwareId = true;
      request.hardwareId = argv[++i];
    } else if (option == "--machine") {
      std::string bytes, problem;
      const char* path = argv[++i];
      if (!ReadWholeFile(path, &bytes)) {
        SayProblem("", path, ": can not be read");
        return kUnreadable;
      }
      if (!ConvertRegistryExport(bytes, &request.machine, &problem)) {
        SayProblem("", path, (": no registry export: " + problem).c_str());
        return kUnreadable;
      }
      request.hasMachine = true;
    } else if (option == "--libraries") {
      const char* path = argv[++i];
      request.hasLibraries = true;
      if (!ReadWholeFile(path, &request.libraries)) {
        SayProblem("", path, ": can not be read");
        return kUnreadable;
      }
    } else if (option == "--windows-dir") {
      usable = ReadWindowsDir(argv[++i], &request);
    } else if (NumberOption(argc, argv, &i, "--time", &seconds, &valid)) {
      usable = valid && seconds >= 0;
      request.startTime = seconds;
    } else if (medium == nullptr && option.compare(0, 2, "--") != 0) {
      medium = argv[i];
    } else {
      usable = false;
    }
  }
  const bool all = className != nullptr && strcmp(className, "all") == 0;
  const PlanClass* platform = className != nullptr ? FindPlanClass(className) : nullptr;
  if (!usable || medium == nullptr || (!all && platform == nullptr)) {
    fputs(kUsage, stderr);
    return kUnreadable;
  }
  if (KindOfPath(medium) != kDirectoryFile) {
    SayProblem("", medium, ": is no medium directory");
    return kUnreadable;
  }
  std::string problem;
  if (!ReadPlanMedium(medium, &request, &problem)) {
    SayProblem("", problem, "");
    return kUnreadable;
  }
  std::string setupIni;
  if (FindMediumFile(medium, kOptionsFileName, &setupIni) != kRegularFile)
    setupIni = JoinFilePath(medium, kOptionsFileName);

  std::vector<std::unique_ptr<Plan>> plans;
  std::vector<const Plan*> made;
  for (const PlanClass& each : kPlanClasses) {
    if (!all && &each != platform) continue;
    plans.emplace_back(new Plan);
    if (!MakePlan(request, each, plans.back().get(), &problem)) {
      SayProblem("", medium, (": " + problem).c_str());
      return kUnreadable;
    }
    made.push_back(plans.back().get());
  }
  Output output = {stdout, json, {}, 0, 0};
  if (all)
    PrintPlanTable(made, medium, setupIni.c_str(), &output);
  else
    PrintPlan(*made.front(), medium, setupIni.c_str(), &output);
  return output.failing > 0 ? kFindings : kClean;
}

#endif

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
#ifdef QVLINT_PLAN
  if (HasArgument(argc, argv, "--plan")) return PlanCommand(argc, argv);
#endif
  Output output = {stdout, false, {}, 0, 0};
  unsigned codePage = kWesternCodePage;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    bool valid = true;
    if (CodePageOption(argc, argv, &i, &codePage, &valid)) {
      if (!valid) {
        fputs(kUsage, stderr);
        return kUnreadable;
      }
    } else if (strcmp(argv[i], "--json") == 0) {
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
    if (!LintPath(path, codePage, &sink, &problem)) {
      SayProblem("", problem, "");
      unreadable = true;
    }
  }
  FinishOutput(&output);
  if (unreadable) return kUnreadable;
  return output.failing > 0 ? kFindings : kClean;
}
