#include "arguments.h"

#include <cstdlib>
#include <cstring>

#include "code_page.h"
#include "shown_text.h"

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
    "       qvlint --fleet [--json] LOG...|DIR...\n"
    "           sum up setup's installation logs (every file of a directory): one line per\n"
    "           computer, the failures grouped by reason, the counts; exit code 0 every log\n"
    "           installed, 1 one failed or has no end, 3 a path can not be read\n"
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

}  // namespace

void PrintUsage(FILE* stream) { fputs(kUsage, stream); }

void SayProblem(const char* before, const std::string& text, const char* after) {
  fprintf(stderr, "qvlint: %s", before);
  PrintEscapingControls(stderr, text.c_str());
  fprintf(stderr, "%s\n", after);
}

bool HasArgument(int argc, char** argv, const char* wanted) {
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], wanted) == 0) return true;
  }
  return false;
}

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
