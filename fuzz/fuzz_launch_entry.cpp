// A launch list entry: the program path and argument vector it is formed
// into, and the command line built from that vector, which the started
// program's C runtime must split back into the same words. The input holds
// the value, then the source, system and Windows directories, separated by
// line feeds.
#include <string.h>

#include "files/lists_rules.h"
#include "files/programs_rules.h"
#include "fuzz_check.h"
#include "fuzz_setup_dirs.h"

namespace {

// The program name as the C runtime takes it from the command line:
// quotation marks toggle quoting and are dropped, a blank or tab outside
// quoting ends it; backslashes are plain characters.
std::string ProgramNameOf(const std::string& line, size_t* end) {
  std::string name;
  bool quoted = false;
  size_t i = 0;
  for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i) {
    if (line[i] == '"')
      quoted = !quoted;
    else
      name += line[i];
  }
  *end = i;
  return name;
}

// The arguments after the program name: blanks and tabs separate outside
// quoting; 2n backslashes before a quotation mark give n and the mark
// toggles quoting, 2n+1 give n and a literal mark; other backslashes count
// literally.
std::vector<std::string> ArgumentsOf(const std::string& line, size_t i) {
  std::vector<std::string> words;
  for (;;) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size()) return words;
    std::string word;
    bool quoted = false;
    while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
      size_t backslashes = 0;
      for (; i < line.size() && line[i] == '\\'; ++i) ++backslashes;
      if (i < line.size() && line[i] == '"') {
        word.append(backslashes / 2, '\\');
        if (backslashes % 2)
          word += '"';
        else
          quoted = !quoted;
        ++i;
      } else {
        word.append(backslashes, '\\');
        if (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) word += line[i++];
      }
    }
    words.push_back(word);
  }
}

void CheckArgumentLine(const LaunchEntry& entry, size_t lineSize) {
  const char* words[kLaunchWordLimit];
  for (int i = 0; i < entry.WordCount; ++i) words[i] = entry.Words[i];
  char* line = new char[lineSize];
  if (FormArgumentLine(words, entry.WordCount, line, lineSize)) {
    FUZZ_CHECK(TerminatedWithin(line, lineSize));
    // No file name holds a tab or a quotation mark, the only characters for
    // which a program name (split at blanks) gets quoted; the runtime reads
    // such a name without backslash escapes, so it need not come back, and
    // after a quotation mark in it the arguments can not be found either.
    if (strchr(words[0], '"') != nullptr) {
      delete[] line;
      return;
    }
    size_t end = 0;
    const std::string program = ProgramNameOf(line, &end);
    FUZZ_CHECK(strchr(words[0], '\t') != nullptr || program == words[0]);
    const std::vector<std::string> arguments = ArgumentsOf(line, end);
    FUZZ_CHECK(arguments.size() == static_cast<size_t>(entry.WordCount - 1));
    for (size_t i = 0; i < arguments.size(); ++i) FUZZ_CHECK(arguments[i] == words[i + 1]);
  } else {
    FUZZ_CHECK(line[0] == '\0');
  }
  delete[] line;
}

// What decides how the program is started: the extension search for a name
// without a dot in its last part, the command interpreter for .bat and
// .cmd, and the first word that interpreter would read an operator in.
void CheckProgramKind(const LaunchEntry& entry) {
  const std::string path = entry.ProgramPath;
  const size_t last = path.find_last_of("\\/:");
  const std::string name = last == std::string::npos ? path : path.substr(last + 1);
  FUZZ_CHECK(HasExtension(entry.ProgramPath) == (name.find('.') != std::string::npos));
  std::string ending = path.size() >= 4 ? path.substr(path.size() - 4) : "";
  for (char& c : ending)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  FUZZ_CHECK(IsBatchProgram(entry.ProgramPath) == (ending == ".bat" || ending == ".cmd"));
  const char* words[kLaunchWordLimit];
  int operatorWord = -1;
  for (int i = 0; i < entry.WordCount; ++i) {
    words[i] = entry.Words[i];
    if (operatorWord < 0 && std::string(words[i]).find_first_of("&|<>^%") != std::string::npos)
      operatorWord = i;
  }
  FUZZ_CHECK(FindInterpreterOperatorWord(words, entry.WordCount) == operatorWord);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> parts = SplitInput(data, size, '\n', 4);
  const std::string sourceDir = SetupDir(parts, 1, "E:");
  const std::string systemDir = SetupDir(parts, 2, "C:\\WINDOWS\\SYSTEM");
  const std::string windowsDir = SetupDir(parts, 3, "C:\\WINDOWS");

  // The reference: fields at commas, the command's words at blanks.
  const std::vector<std::string> fields = SplitWords(parts[0], ",");
  bool accepted = !fields.empty() && fields[0].size() < kListWordSize &&
                  (fields.size() < 2 || fields[1].size() < kListWordSize);
  std::vector<std::string> words;
  std::string path;
  if (accepted) {
    words = SplitWords(fields[0], " ");
    accepted = !words.empty() && words.size() <= kLaunchWordLimit &&
               words[0].size() <= kListNameLimit;
  }
  if (accepted && fields.size() < 2) {
    path = sourceDir + "\\" + words[0];
  } else if (accepted) {
    path = systemDir.substr(0, 2) + "\\";
    for (const std::string& word : SplitWords(fields[1], " \\")) {
      path = word == kWindowsToken ? windowsDir : path + word;
      path += "\\";
    }
    path += words[0];
  }
  accepted = accepted && path.size() < kSetupPathSize;

  LaunchEntry* entry = new LaunchEntry;
  char* value = strdup(parts[0].c_str());
  const int formed =
      FormLaunchEntry(value, sourceDir.c_str(), systemDir.c_str(), windowsDir.c_str(), entry);
  FUZZ_CHECK(formed == (accepted ? 1 : 0));
  if (formed) {
    FUZZ_CHECK(TerminatedWithin(entry->ProgramPath, sizeof entry->ProgramPath) &&
               entry->ProgramPath == path);
    FUZZ_CHECK(entry->WordCount == static_cast<int>(words.size()));
    for (int i = 0; i < entry->WordCount; ++i)
      FUZZ_CHECK(TerminatedWithin(entry->Words[i], kListWordSize) && entry->Words[i] == words[i]);
    CheckProgramKind(*entry);
    CheckArgumentLine(*entry, 2048);
    CheckArgumentLine(*entry, 1 + size % 64);  // too small for most lines: refused whole
  }
  free(value);
  delete entry;
  return 0;
}
