#include "list_reader.h"

#include <windows.h>
#include <string.h>

#include "../control/options.h"
#include "entry_words.h"
#include "list_sections.h"
#include "path_text.h"
#include "setup_paths.h"

void ForEachListValue(const char* section, void (*handle)(const char* value)) {
  char optionsFile[SetupPathSize];
  if (!section || !JoinRootAware(optionsFile, sizeof optionsFile, SetupPaths.SourceDir, OptionsFileName))
    return;
  char names[KeyListSize];
  const DWORD returned = GetPrivateProfileStringA(section, nullptr, "", names, sizeof names, optionsFile);
  const size_t whole = WholeKeyListLength(names, returned, sizeof names);
  for (const char* name = names; name < names + whole && *name; name += strlen(name) + 1) {
    if (strlen(name) > ListNameLimit) continue;
    // One byte more than a value may hold, so that a longer value shows
    // itself instead of arriving cut.
    char value[ListValueLimit + 2];
    value[0] = '\0';
    if (GetPrivateProfileStringA(section, name, "", value, sizeof value, optionsFile) > ListValueLimit)
      continue;
    handle(value);
  }
}
