#include "arguments.h"

#include <cstdlib>
#include <cstring>

#include "code_page.h"
#include "shown_text.h"

namespace {

const char kUsage[] =
    "usage: qvlint [--json] [--quiet] [--codepage N] [--ignore CODE[,CODE...]]...\n"
    "              [--stdin-kind ini|country] [--stdin-filename NAME] [--no-plan]\n"
    "              [the options of the machine of --plan] PATH...\n"
    "           check a medium directory, a qvsetup.ini or a country settings file;\n"
    "           a medium directory is planned on every class too (--no-plan: not),\n"
    "           each way a plan fails a finding that names its classes;\n"
    "           one line per finding, with the severity of its code:\n"
    "               file:line:column: error: reason; effect [code]\n"
    "           (or warning:, note:), and on standard error the count at the end:\n"
    "               qvlint: 2 errors, 1 warning\n"
    "           --json prints the findings as a JSON array instead;\n"
    "           --quiet prints errors only: warnings and notes are neither printed\n"
    "           nor counted;\n"
    "           --ignore neither prints nor counts the findings of the codes named;\n"
    "           --codepage: the machine's ANSI code page, in which the registry reads names\n"
    "           (874, 1250 to 1258, 932, 936, 949, 950; 1252 by default);\n"
    "           PATH \"-\" reads standard input: a country settings file named <stdin>,\n"
    "           unless --stdin-kind ini (a qvsetup.ini, checked against the current\n"
    "           directory) or --stdin-filename NAME (the kind from the name: qvsetup.ini\n"
    "           is setup's file, any other a country settings file; the findings and\n"
    "           the files beside it take the name) says otherwise\n"
    "       qvlint --codes\n"
    "           list the finding codes with their severity (error, warning, note)\n"
    "       qvlint --effect [--platform nt|9x|winent|wine9x] [--codepage N] [--time SECONDS] FILE\n"
    "           print what qvsmzad writes from the country settings file FILE, as a REGEDIT4\n"
    "           file: on Windows NT 4.0 and 2000 (nt, the default), 95, 98 and ME (9x), or\n"
    "           Wine set to either; --time: the run's time in seconds since 1970 (now);\n"
    "           exit code 2 when a name holds a line break, which the file leaves out\n"
    "       qvlint --fleet [--json] LOG...|DIR...\n"
    "           sum up setup's installation logs (every file of a directory): one line per\n"
    "           computer, the failures grouped by reason, the counts; exit code 0 every log\n"
    "           installed, 1 one failed or has no end, 3 a path can not be read\n"
    "       qvlint --plan CLASS|all [--json] [--codepage N] [--switches S|SD|SR|SDR]\n"
    "                   [--hardware-id ID|none] [--machine FILE.reg] [--libraries FILE]\n"
    "                   [--windows-dir DIR] [--medium-dir DIR] [--in-use FILE]...\n"
    "                   [--free-space BYTES] [--time SECONDS] MEDIUM\n"
    "           print what setup's silent run does with the medium directory MEDIUM on a\n"
    "           simulated machine of the class (95, 98, 98se, me, nt4, 2000), step by step,\n"
    "           with the files and registry it leaves and its exit code; \"all\": a table of\n"
    "           every class. --machine: the machine's registry, a regedit export;\n"
    "           --libraries: the setup libraries' answers, as qvstandin.ini scripts them\n"
    "           (every entry succeeds by default); --hardware-id: Windows 2000's\n"
    "           GetHardWareId hands back ID (the modem's id by default; none: it\n"
    "           answers 0); --windows-dir: C:\\WINDOWS on 9x, C:\\WINNT on NT by default;\n"
    "           --medium-dir: where the medium lies, a directory of drive C:\n"
    "           (C:\\medium by default); --in-use: a file that another program holds\n"
    "           open; --free-space: the bytes free on drive C:; findings follow the plan\n"
    "       qvlint --help | -h | --version\n"
    "exit code: 0 nothing found or notes only, 1 warnings but no error, 2 errors,\n"
    "3 the command line is unusable or an input can not be read\n";

}  // namespace

void PrintUsage(FILE* stream) { fputs(kUsage, stream); }

void SayProblem(const char* before, const std::string& text, const char* after) {
  fprintf(stderr, "qvlint: %s", before);
  PrintEscapingControls(stderr, text.c_str());
  fprintf(stderr, "%s\n", after);
}

int UsageError(const char* before, const std::string& text, const char* after) {
  SayProblem(before, text, after);
  fputs("qvlint: see qvlint --help\n", stderr);
  return kUnusable;
}

int UnknownOption(const char* argument) { return UsageError("unknown option \"", argument, "\""); }

bool HasArgument(int argc, char** argv, const char* wanted) {
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], wanted) == 0) return true;
  }
  return false;
}

bool HasOption(int argc, char** argv, const char* option) {
  const size_t length = strlen(option);
  for (int i = 1; i < argc; ++i) {
    if (strncmp(argv[i], option, length) == 0 &&
        (argv[i][length] == '\0' || argv[i][length] == '='))
      return true;
  }
  return false;
}

bool LooksLikeOption(const char* argument) { return argument[0] == '-' && argument[1] != '\0'; }

bool ValueOption(int argc, char** argv, int* i, const char* option, const char** value) {
  const size_t length = strlen(option);
  if (strncmp(argv[*i], option, length) != 0) return false;
  if (argv[*i][length] == '=') {
    *value = argv[*i] + length + 1;
    return true;
  }
  if (argv[*i][length] != '\0') return false;
  *value = *i + 1 < argc ? argv[++*i] : nullptr;
  return true;
}

int MissingValue(const char* option, const char* form) {
  return UsageError("", std::string(option) + " needs a value: " + form, "");
}

bool ReadCodePage(const char* text, unsigned* codePage) {
  char* end = nullptr;
  const long long number = strtoll(text, &end, 10);
  if (*text == '\0' || *end != '\0' || number <= 0 || number >= 65536 ||
      !SupportedCodePage(static_cast<unsigned>(number)))
    return false;
  *codePage = static_cast<unsigned>(number);
  return true;
}

int UnknownCodePage(const char* text) {
  return UsageError("--codepage: unknown code page \"", text,
                    "\" (874, 1250 to 1258, 932, 936, 949, 950)");
}

bool ReadSeconds(const char* text, int64_t* seconds) {
  char* end = nullptr;
  const long long number = strtoll(text, &end, 10);
  if (*text == '\0' || *end != '\0' || number < 0) return false;
  *seconds = static_cast<int64_t>(number);
  return true;
}
