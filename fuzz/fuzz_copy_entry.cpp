// A copy list entry: split into words and formed into a file name and a
// destination against the system and Windows directories. The input holds
// the value, then the system and the Windows directory, separated by line
// feeds. The result is held against the rules worked out on std::string.
#include <string.h>

#include "files/lists_rules.h"
#include "fuzz_check.h"
#include "fuzz_setup_dirs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> parts = SplitInput(data, size, '\n', 3);
  const std::string systemDir = SetupDir(parts, 1, "C:\\WINDOWS\\SYSTEM");
  const std::string windowsDir = SetupDir(parts, 2, "C:\\WINDOWS");

  const std::vector<std::string> words = SplitWords(parts[0], " ,\\");
  bool accepted = !words.empty() && words[0].size() <= kListNameLimit;
  std::string destination = systemDir;
  if (words.size() > 1) destination = systemDir.substr(0, 2);
  for (size_t i = 1; i < words.size(); ++i) {
    accepted = accepted && words[i].size() < kListWordSize;
    destination += "\\";
    destination = words[i] == kWindowsToken ? windowsDir : destination + words[i];
  }
  accepted = accepted && destination.size() <= kDestinationLimit;

  CopyEntry* entry = new CopyEntry;
  char* value = strdup(parts[0].c_str());
  const int formed = FormCopyEntry(value, systemDir.c_str(), windowsDir.c_str(), entry);
  FUZZ_CHECK(formed == (accepted ? 1 : 0));
  if (formed) {
    FUZZ_CHECK(TerminatedWithin(entry->FileName, sizeof entry->FileName) &&
               entry->FileName == words[0]);
    FUZZ_CHECK(TerminatedWithin(entry->Destination, sizeof entry->Destination) &&
               entry->Destination == destination);
  }
  free(value);
  delete entry;
  return 0;
}
