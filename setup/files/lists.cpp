#include "lists.h"

#include <string.h>

#include "../base/options.h"
#include "lists_rules.h"
#include "programs.h"
#include "programs_rules.h"
#include "source_files.h"

namespace {

// Room for nine quoted words of a 255-character value.
const size_t kLaunchLineSize = 1024;

void CopyListEntry(Host& host, const SetupPaths& paths, OsClass, const char* value) {
  CopyEntry entry;
  if (FormCopyEntry(value, paths.SystemDir, paths.WindowsDir, &entry))
    CopySourceFile(host, paths.SourceDir, entry.Destination, entry.FileName);
}

// The command interpreter would read an operator in a batch file's line as
// such, not as a part of the entry's words: the entry is not run.
void TellOperatorRefused(Host& host, const char* program, const char* word) {
  RunEvent event = EventOf(kEventWordRefused);
  event.path = program;
  event.text = word;
  TellListeners(host, event);
}

// The program inherits the current directory, the source directory.
// NT's command interpreter, as the environment names it; the system
// directory's cmd.exe when it names none that fits.
void FindInterpreter(Host& host, const SetupPaths& paths, char* out) {
  if (ExpandWholeText(*host.system, "%ComSpec%", out, kSetupPathSize) && out[0] != '\0' &&
      out[0] != '%')
    return;
  if (!JoinPath(out, paths.SystemDir, "cmd.exe")) out[0] = '\0';
}

// A batch program starts from the full path that setup found: on NT
// through the command interpreter, which would otherwise look for the bare
// name in the current directory and the path; on the 9x family the
// system starts it with that path as the line's first word.
void RunBatchProgram(Host& host, const SetupPaths& paths, OsClass osClass, const char* program,
                     const char* const* words, int wordCount) {
  char line[kLaunchLineSize];
  if (IsWindows9xClass(osClass)) {
    const char* withPath[kLaunchWordLimit];
    withPath[0] = program;
    for (int i = 1; i < wordCount; ++i) withPath[i] = words[i];
    if (FormArgumentLine(withPath, wordCount, line, sizeof line)) RunAndWait(host, program, line);
    return;
  }
  char interpreter[kSetupPathSize];
  FindInterpreter(host, paths, interpreter);
  if (FormInterpreterLine(program, words + 1, wordCount - 1, line, sizeof line))
    RunAndWait(host, interpreter, line);
}

void LaunchListEntry(Host& host, const SetupPaths& paths, OsClass osClass, const char* value) {
  LaunchEntry entry;
  if (!FormLaunchEntry(value, paths.SourceDir, paths.SystemDir, paths.WindowsDir, &entry)) return;
  const char* words[kLaunchWordLimit];
  for (int i = 0; i < entry.WordCount; ++i) words[i] = entry.Words[i];
  char program[kSetupPathSize];
  FindProgram(*host.system, entry.ProgramPath, program, sizeof program);
  if (IsBatchProgram(program)) {
    const int refused = FindInterpreterOperatorWord(words, entry.WordCount);
    if (refused >= 0)
      TellOperatorRefused(host, program, words[refused]);
    else
      RunBatchProgram(host, paths, osClass, program, words, entry.WordCount);
    return;
  }
  char line[kLaunchLineSize];
  if (FormArgumentLine(words, entry.WordCount, line, sizeof line)) RunAndWait(host, program, line);
}

// Calls visit with the key and the value of every key of section in
// qvsetup.ini of SourceDir, in the order of the file, until it answers
// false; nothing when section is null or the file or section is missing.
// An entry out of bounds is skipped rather than cut: a key name over
// kListNameLimit characters, a value over kListValueLimit, and a last key
// name that the key list buffer cut. False when visit answered false.
// passOver, where given, hears each entry skipped, with why.
typedef bool (*ListVisitor)(void* context, const char* name, const char* value);
typedef void (*ListPassOver)(void* context, const char* name, const char* value, const char* why);
bool VisitListValues(System& system, const SetupPaths& paths, OsClass osClass, const char* section,
                     ListVisitor visit, void* context, ListPassOver passOver = nullptr) {
  char optionsFile[kSetupPathSize];
  if (!section ||
      !JoinRootAware(optionsFile, sizeof optionsFile, paths.SourceDir, kOptionsFileName))
    return true;
  char names[kKeyListSize];
  const unsigned long returned =
      system.ProfileString(section, nullptr, names, sizeof names, optionsFile);
  const size_t whole = WholeKeyListLength(names, returned, sizeof names, IsWindows9xClass(osClass));
  for (const char* name = names; name < names + whole && *name; name += strlen(name) + 1) {
    if (strlen(name) > kListNameLimit) {
      if (passOver) passOver(context, name, "", "the key is longer than 127 characters");
      continue;
    }
    // One byte more than a value may hold, so that a longer value shows
    // itself instead of arriving cut.
    char value[kListValueLimit + 2];
    value[0] = '\0';
    if (system.ProfileString(section, name, value, sizeof value, optionsFile) > kListValueLimit) {
      if (passOver) passOver(context, name, value, "the value is longer than 255 characters");
      continue;
    }
    if (!visit(context, name, value)) return false;
  }
  return true;
}

typedef void (*ListEntryHandler)(Host& host, const SetupPaths& paths, OsClass osClass,
                                 const char* value);
// Why an entry can not be carried out, or null.
typedef const char* (*ListEntryRefusal)(const SetupPaths& paths, const char* value);
struct CarriedOutList {
  Host* host;
  const SetupPaths* paths;
  OsClass osClass;
  const char* section;
  ListEntryHandler handle;
  ListEntryRefusal refusal;
};

void TellListEntry(const CarriedOutList& list, const char* name, const char* value,
                   const char* passedOver) {
  RunEvent entry = EventOf(kEventListEntry);
  entry.path = list.section;
  entry.name = name;
  entry.text = value;
  entry.passedOver = passedOver;
  TellListeners(*list.host, entry);
}

void PassOverEntry(void* context, const char* name, const char* value, const char* why) {
  TellListEntry(*static_cast<CarriedOutList*>(context), name, value, why);
}

// Tells the entry taken, then carries it out; or tells it passed over.
bool CarryOutEntry(void* context, const char* name, const char* value) {
  const CarriedOutList& list = *static_cast<CarriedOutList*>(context);
  const char* refused = list.refusal(*list.paths, value);
  TellListEntry(list, name, value, refused);
  if (!refused) list.handle(*list.host, *list.paths, list.osClass, value);
  return true;
}

void ForEachListValue(Host& host, const SetupPaths& paths, OsClass osClass, const char* section,
                      ListEntryHandler handle, ListEntryRefusal refusal) {
  CarriedOutList list = {&host, &paths, osClass, section, handle, refusal};
  VisitListValues(*host.system, paths, osClass, section, CarryOutEntry, &list, PassOverEntry);
}

const char* CopyEntryRefusal(const SetupPaths& paths, const char* value) {
  CopyEntry entry;
  switch (CheckCopyEntry(value, paths.SystemDir, paths.WindowsDir, &entry)) {
    case kCopyEntryNoFileName:
      return "no file name";
    case kCopyEntryFileNameTooLong:
      return "the file name is longer than 127 characters";
    case kCopyEntryDestinationTooLong:
      return "the destination is longer than 255 characters";
    default:
      return nullptr;
  }
}

const char* LaunchEntryRefusal(const SetupPaths& paths, const char* value) {
  LaunchEntry entry;
  switch (CheckLaunchEntry(value, paths.SourceDir, paths.SystemDir, paths.WindowsDir, &entry)) {
    case kLaunchEntryNoProgram:
      return "no program";
    case kLaunchEntryProgramNameTooLong:
      return "the program's name is longer than 127 characters";
    case kLaunchEntryTooManyWords:
      return "more than nine words";
    case kLaunchEntryPathTooLong:
      return "the program's path or a word does not fit";
    default:
      return nullptr;
  }
}

struct VisitedCopyList {
  const SetupPaths* paths;
  CopyEntryVisitor visit;
  void* context;
};

bool VisitCopyEntry(void* context, const char*, const char* value) {
  const VisitedCopyList& list = *static_cast<VisitedCopyList*>(context);
  CopyEntry entry;
  return !FormCopyEntry(value, list.paths->SystemDir, list.paths->WindowsDir, &entry) ||
         list.visit(list.context, entry);
}

struct VisitedLaunchList {
  const SetupPaths* paths;
  LaunchEntryVisitor visit;
  void* context;
};

bool VisitLaunchEntry(void* context, const char*, const char* value) {
  const VisitedLaunchList& list = *static_cast<VisitedLaunchList*>(context);
  LaunchEntry entry;
  return !FormLaunchEntry(value, list.paths->SourceDir, list.paths->SystemDir,
                          list.paths->WindowsDir, &entry) ||
         list.visit(list.context, entry);
}

}  // namespace

void CopyFileList(Host& host, const SetupPaths& paths, OsClass osClass) {
  ForEachListValue(host, paths, osClass, CopyListSection(osClass), CopyListEntry, CopyEntryRefusal);
}

void RunLaunchList(Host& host, const SetupPaths& paths, OsClass osClass) {
  ForEachListValue(host, paths, osClass, LaunchListSection(osClass), LaunchListEntry,
                   LaunchEntryRefusal);
}

bool VisitCopyList(System& system, const SetupPaths& paths, OsClass osClass, CopyEntryVisitor visit,
                   void* context) {
  VisitedCopyList list = {&paths, visit, context};
  return VisitListValues(system, paths, osClass, CopyListSection(osClass), VisitCopyEntry, &list);
}

bool VisitLaunchList(System& system, const SetupPaths& paths, OsClass osClass,
                     LaunchEntryVisitor visit, void* context) {
  VisitedLaunchList list = {&paths, visit, context};
  return VisitListValues(system, paths, osClass, LaunchListSection(osClass), VisitLaunchEntry,
                         &list);
}
