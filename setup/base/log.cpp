#include "log.h"

#include <string.h>

#include "log_rules.h"

namespace {

bool InstallLogOpen(const Host& host) { return host.log.File != nullptr; }

// Appends one line, on disk at once: a driver that stops Windows, or a
// restart, must not take the lines before it along. Another process may
// append to the same file: each line goes to its end.
void WriteLine(Host& host, const char* text) {
  ClockTime time;
  host.system->LocalTime(&time);
  char line[kLogLineSize];
  const size_t length = FormatLogLine(line, time, text);
  host.system->AppendFile(host.log.File, line, static_cast<unsigned long>(length));
}

void AddPath(LogText* log, const char* name, const char* path) {
  AddLogText(log, ", ");
  AddLogText(log, name);
  AddLogText(log, "=");
  AddLogQuoted(log, path);
}

void WriteStartLine(Host& host, const char* computer, const SetupPaths& paths, OsClass osClass,
                    const CommandSwitches& switches) {
  LogText log;
  StartLogText(&log, kLogStartText);
  AddLogText(&log, "computer ");
  AddLogQuoted(&log, computer);
  AddLogText(&log, ", class ");
  AddLogOsClass(&log, osClass);
  AddLogText(&log, ", switches ");
  AddLogSwitches(&log, switches);
  AddPath(&log, "StartDir", paths.StartDir);
  AddPath(&log, "WindowsDir", paths.WindowsDir);
  AddPath(&log, "SystemDir", paths.SystemDir);
  AddPath(&log, "DriversDir", paths.DriversDir);
  AddPath(&log, "CabsDir", paths.CabsDir);
  AddPath(&log, "SourceDir", paths.SourceDir);
  AddPath(&log, "InfDir", paths.InfDir);
  AddPath(&log, "OtherDir", paths.OtherDir);
  AddPath(&log, "SavedSourcePath", paths.SavedSourcePath);
  WriteLine(host, log.Text);
}

// Room for the longest computer name that Windows gives (15 characters).
const unsigned long kComputerNameSize = 32;

// The log file's name with the computer's name and the environment's
// variables put in, so that one medium on a share gives each machine its
// own log. False when the name does not fit after that.
bool ExpandLogFileName(System& system, const char* name, const char* computer, char* out) {
  char withComputer[kSetupPathSize];
  if (!(computer[0] ? PutComputerName(withComputer, sizeof withComputer, name, computer)
                    : CopyWholeText(withComputer, sizeof withComputer, name)))
    return false;
  return ExpandWholeText(system, withComputer, out, kSetupPathSize);
}

// The directories of the log's path that are missing, made one level at a
// time and told; false when one could not be made.
bool MakeLogDirectories(Host& host, const char* path) {
  char directory[kSetupPathSize];
  for (size_t level = 1; LogDirectoryPrefix(path, level, directory, sizeof directory); ++level) {
    if (PathExists(*host.system, directory)) continue;
    const SystemStatus made = TellOutcome(host, kEventDirectoryMade, directory, nullptr,
                                          host.system->MakeDirectory(directory));
    if (made != kStatusSuccess && made != kStatusAlreadyExists) return false;
  }
  return true;
}

// "options: HardwareDetectNT=no (no key), ReBoot=yes (value "Y"), ...,
// LogFile="name"": each option as it was read.
void WriteOptionsLine(Host& host, const SetupOptions& options) {
  LogText log;
  StartLogText(&log, "options: ");
  for (int i = 0; i < kYesNoOptionCount; ++i) {
    const OptionRead& read = options.Read[i];
    AddLogText(&log, YesNoOptionKey(static_cast<YesNoOption>(i)));
    AddLogText(&log, OptionValueIsSet(read.Value) ? "=yes (" : "=no (");
    if (read.Present) {
      AddLogText(&log, "value \"");
      AddLogEscaped(&log, read.Value);
      AddLogText(&log, "\"), ");
    } else {
      AddLogText(&log, "no key), ");
    }
  }
  AddLogText(&log, kLogFileOptionKey);
  AddLogText(&log, "=\"");
  AddLogEscaped(&log, options.LogFile);
  AddLogText(&log, "\"");
  WriteLine(host, log.Text);
}

}  // namespace

bool OpenInstallLog(Host& host, const SetupOptions& options, const SetupPaths& paths,
                    OsClass osClass, const CommandSwitches& switches) {
  if (options.LogFileTooLong) return false;
  if (InstallLogOpen(host) || !options.LogFile[0]) return true;
  char computer[kComputerNameSize];
  if (!host.system->ComputerName(computer, sizeof computer)) computer[0] = '\0';
  char name[kSetupPathSize], path[kSetupPathSize];
  if (!ExpandLogFileName(*host.system, options.LogFile, computer, name) ||
      !FormLogFilePath(path, sizeof path, paths.SourceDir, name))
    return false;
  FileHandle file = nullptr;
  SystemStatus opened = host.system->OpenFileToAppend(path, &file);
  if (opened == kStatusPathNotFound && MakeLogDirectories(host, path))
    opened = host.system->OpenFileToAppend(path, &file);
  if (opened != kStatusSuccess) return false;
  host.log.File = file;
  WriteStartLine(host, computer, paths, osClass, switches);
  WriteOptionsLine(host, options);
  return true;
}

void ShowDebugMessages(Host& host, bool shown) { host.log.DebugMessagesShown = shown; }

void DebugMessage(Host& host, const char* text, const char* caption) {
  RunEvent event = EventOf(kEventMessage);
  event.text = text;
  event.name = caption;
  TellListeners(host, event);
  if (host.log.DebugMessagesShown) host.system->ShowMessage(text, caption);
}

namespace {

// Why the run goes on without a failed operation that nothing marked:
// a removal or a setting aside of what is not there, or else by design.
const char* PassedOverReason(const RunEvent& event) {
  if (event.passedOver) return event.passedOver;
  const bool missing = event.status == kStatusFileNotFound || event.status == kStatusPathNotFound;
  switch (event.kind) {
    case kEventFileDeleted:
    case kEventKeyDeleted:
    case kEventValueDeleted:
      if (missing) return "nothing to remove";
      break;
    case kEventFileRenamed:
      if (missing) return "nothing to set aside";
      break;
    default:
      break;
  }
  return "the run goes on without it";
}

// ": ok", ": <status>" for a failure that fails the run, ": passed over:
// <why> (<status>)" for one that the run goes on without.
void AddResult(LogText* log, const RunEvent& event, SystemStatus status) {
  AddLogText(log, ": ");
  if (status == kStatusSuccess || event.failsRun)
    AddLogStatus(log, static_cast<unsigned long>(status));
  else
    AddLogPassedOver(log, PassedOverReason(event), static_cast<unsigned long>(status));
}

// "action subject -> target: result"; target may be null.
void AddOutcome(LogText* log, const char* action, const RunEvent& event) {
  StartLogText(log, action);
  AddLogText(log, " ");
  AddLogText(log, event.path);
  if (event.target) {
    AddLogText(log, " -> ");
    AddLogText(log, event.target);
  }
  AddResult(log, event, event.status);
}

// A value's data as the log shows it: a number in decimal, any other data
// as the text it holds, quoted.
void AddValueData(LogText* log, const RunEvent& event) {
  if (event.valueType != kRegistryNumber) {
    AddLogQuoted(log, reinterpret_cast<const char*>(event.data), event.dataSize);
    return;
  }
  unsigned long number = 0;
  for (unsigned long i = event.dataSize; i > 0; --i) number = number << 8 | event.data[i - 1];
  AddLogNumber(log, static_cast<long>(number));
}

// "registry <action> HKLM\path [name] = data: status"; the name and the
// data where the event has them.
void AddRegistryChange(LogText* log, const char* action, const RunEvent& event) {
  StartLogText(log, "registry ");
  AddLogText(log, action);
  AddLogText(log, " HKLM\\");
  AddLogText(log, event.path);
  if (event.name) {
    AddLogText(log, " [");
    AddLogText(log, event.name);
    AddLogText(log, "]");
  }
  if (event.kind == kEventValueSet) {
    AddLogText(log, " = ");
    AddValueData(log, event);
  }
  AddResult(log, event, event.status);
}

// "call Entry(arguments) = answer", then what it handed back.
void AddCall(LogText* log, const RunEvent& event) {
  StartLogText(log, "call ");
  AddLogText(log, event.name);
  AddLogText(log, "(");
  AddLogText(log, event.parameters ? event.parameters : event.text);
  AddLogText(log, ") = ");
  AddLogNumber(log, event.number);
  AddLogText(log, event.target);
}

// A program that setup started and waited for: its exit code, or why it
// could not be started.
void AddProgramEnd(LogText* log, const RunEvent& event) {
  const ProgramResult& result = *event.program;
  StartLogText(log, "run ");
  AddLogText(log, event.path);
  AddLogText(log, " ");
  AddLogQuoted(log, event.text);
  if (result.Started != kStatusSuccess) {
    AddLogText(log, ": not started");
    AddResult(log, event, result.Started);
  } else if (result.ExitCodeKnown) {
    AddLogText(log, ": exit code ");
    AddLogNumber(log, static_cast<long>(result.ExitCode));
  } else {
    AddLogText(log, ": exit code unknown");
  }
}

void AddWordRefused(LogText* log, const RunEvent& event) {
  StartLogText(log, "not run ");
  AddLogText(log, event.path);
  AddLogText(log, ": the command interpreter would read an operator in ");
  AddLogQuoted(log, event.text);
}

void AddMediumIncomplete(LogText* log, const RunEvent& event) {
  StartLogText(log, "medium incomplete: ");
  AddLogQuoted(log, event.path);
  AddLogText(log, " is missing or can not be read; nothing is changed");
}

// "preflight: "path" what it failed for: status; nothing is changed".
void AddPreflightFailed(LogText* log, const RunEvent& event) {
  StartLogText(log, "preflight: ");
  AddLogQuoted(log, event.path);
  AddLogText(log, " ");
  AddLogText(log, event.text);
  AddResult(log, event, event.status);
  AddLogText(log, "; nothing is changed");
}

void AddMessage(LogText* log, const RunEvent& event) {
  StartLogText(log, "message [");
  AddLogText(log, event.name);
  AddLogText(log, "] ");
  AddLogText(log, event.text);
}

// Only the modem poll's end has a line.
bool AddWaitEnd(LogText* log, const RunEvent& event) {
  if (event.timer != kModemPollTimerId) return false;
  StartLogText(log, event.found ? "modem poll: modem class record found"
                                : "modem poll: time limit reached, no modem class record");
  return true;
}

// "list [section] key=value: taken", or ": passed over: why"; control
// characters shown, so that an entry that looks right is seen as it is.
void AddListEntry(LogText* log, const RunEvent& event) {
  StartLogText(log, "list [");
  AddLogEscaped(log, event.path);
  AddLogText(log, "] ");
  AddLogEscaped(log, event.name);
  AddLogText(log, "=");
  AddLogEscaped(log, event.text);
  if (event.passedOver) {
    AddLogText(log, ": passed over: ");
    AddLogText(log, event.passedOver);
  } else {
    AddLogText(log, ": taken");
  }
}

// The kinds of cause that an end line names, each kept from its first
// failure that failed the run.
enum CauseKind { kCauseChange, kCauseLibrary, kCauseEntry, kCauseCheck, kCauseNote, kNoCause };

CauseKind CauseKindOf(RunEventKind kind) {
  switch (kind) {
    case kEventLibraryLoaded:
      return kCauseLibrary;
    case kEventEntryMissing:
      return kCauseEntry;
    case kEventMediumIncomplete:
    case kEventPreflightFailed:
      return kCauseCheck;
    case kEventNote:
      return kCauseNote;
    case kEventEntryCalled:
      return kNoCause;  // the ending's own reason says what the answer meant
    default:
      return kCauseChange;
  }
}

CauseKind CauseKindOf(RunEndReason reason) {
  switch (reason) {
    case kEndChangeFailed:
      return kCauseChange;
    case kEndLibraryNotLoaded:
      return kCauseLibrary;
    case kEndEntryMissing:
      return kCauseEntry;
    case kEndMediumIncomplete:
    case kEndPreflightFailed:
      return kCauseCheck;
    default:
      return kCauseNote;
  }
}

// The cause in the words of an end line: a copy and a library as what
// failed, anything else as its own line.
void FormCause(LogText* cause, const RunEvent& event, const char* line) {
  if (event.kind == kEventFileCopied) {
    StartLogText(cause, "the copy of ");
    AddLogText(cause, event.path);
    AddLogText(cause, " to ");
    AddLogText(cause, event.target);
    AddLogText(cause, " failed: ");
    AddLogStatus(cause, static_cast<unsigned long>(event.status));
  } else if (event.kind == kEventLibraryLoaded) {
    StartLogText(cause, "the setup library ");
    AddLogText(cause, event.path);
    AddLogText(cause, " could not be loaded: ");
    AddLogStatus(cause, static_cast<unsigned long>(event.status));
  } else if (event.kind == kEventEntryMissing) {
    StartLogText(cause, "a setup library lacks the entry ");
    AddLogText(cause, event.path);
  } else {
    StartLogText(cause, line);
  }
}

// "end: exit code N: reason", the reason from the ending's one choice with
// the cause that it names, or the time that its poll took.
void AddRunEnd(LogText* log, const InstallLog& installLog, const RunEvent& event) {
  StartLogText(log, kLogEndText);
  AddLogNumber(log, event.number);
  AddLogText(log, ": ");
  const char* cause = installLog.Causes[CauseKindOf(event.reason)];
  switch (EndDetailOf(event.reason)) {
    case kEndDetailCause:
      if (!cause[0]) break;
      if (event.reason == kEndSequenceStopped || event.reason == kEndPathsNotFormed) {
        AddLogText(log, EndReasonText(event.reason));
        AddLogText(log, ": ");
      }
      AddLogText(log, cause);
      return;
    case kEndDetailPollSeconds: {
      const long ms = installLog.PollMilliseconds[event.reason == kEndModemFound ? 0 : 1];
      AddLogText(log, EndReasonText(event.reason));
      AddLogText(log, " after ");
      AddLogNumber(log, (ms + 500) / 1000);
      AddLogText(log, " s");
      return;
    }
    case kEndDetailNone:
      break;
  }
  AddLogText(log, EndReasonText(event.reason));
}

// The line of an event into log; false for an event that has none.
bool FormLine(LogText* log, const InstallLog& installLog, const RunEvent& event) {
  switch (event.kind) {
    case kEventFileCopied:
    case kEventSearchStopped:
      AddOutcome(log, "copy", event);
      return true;
    case kEventFileDeleted:
      AddOutcome(log, "delete", event);
      return true;
    case kEventFileRenamed:
      AddOutcome(log, "rename", event);
      return true;
    case kEventLibraryLoaded:
      AddOutcome(log, "load", event);
      return true;
    case kEventEntryMissing:
      AddOutcome(log, "bind", event);
      return true;
    case kEventRestartRequested:
      AddOutcome(log, "restart", event);
      return true;
    case kEventKeyCreated:
      AddRegistryChange(log, "create key", event);
      return true;
    case kEventKeyDeleted:
      AddRegistryChange(log, "delete key", event);
      return true;
    case kEventValueSet:
      AddRegistryChange(log, "set", event);
      return true;
    case kEventValueDeleted:
      AddRegistryChange(log, "delete value", event);
      return true;
    case kEventEntryCalled:
      AddCall(log, event);
      return true;
    case kEventProgramEnded:
      AddProgramEnd(log, event);
      return true;
    case kEventWordRefused:
      AddWordRefused(log, event);
      return true;
    case kEventMediumIncomplete:
      AddMediumIncomplete(log, event);
      return true;
    case kEventPreflightFailed:
      AddPreflightFailed(log, event);
      return true;
    case kEventMessage:
      AddMessage(log, event);
      return true;
    case kEventNote:
      StartLogText(log, event.text);
      return true;
    case kEventWaitEnded:
      return AddWaitEnd(log, event);
    case kEventListEntry:
      AddListEntry(log, event);
      return true;
    case kEventRunEnded:
      AddRunEnd(log, installLog, event);
      return true;
    default:
      return false;  // the run's own bookkeeping: directories, waits begun
  }
}

// Keeps what the end line names: the first cause of its kind, the time of
// a poll's end.
void KeepForTheEnd(InstallLog* log, const RunEvent& event, const char* line) {
  if (event.kind == kEventWaitEnded &&
      (event.timer == kModemPollTimerId || event.timer == kServicePollTimerId))
    log->PollMilliseconds[event.timer == kModemPollTimerId ? 0 : 1] = event.number;
  const CauseKind kind = CauseKindOf(event.kind);
  if (!event.failsRun || kind == kNoCause || log->Causes[kind][0]) return;
  LogText cause;
  FormCause(&cause, event, line);
  CopyWholeText(log->Causes[kind], kLogCauseSize, cause.Text);
  if (!log->Causes[kind][0]) {  // longer than kept: cut, as the log cuts
    memcpy(log->Causes[kind], cause.Text, kLogCauseSize - 4);
    memcpy(log->Causes[kind] + kLogCauseSize - 4, "...", 4);
  }
}

// The line of the failure that counted: "!!! " and its text.
void WriteMarkedLine(Host& host, const char* text) {
  LogText marked;
  StartLogText(&marked, kLogFailureMark);
  AddLogText(&marked, text);
  WriteLine(host, marked.Text);
}

}  // namespace

// The first failure that fails the run carries "!!! "; a later one says
// that it fails the run as well. A run that fails without such a line
// (a session ended, a poll's limit) has its reason marked before its end.
void InstallLog::Heard(Host& host, const RunEvent& event) {
  if (!InstallLogOpen(host)) return;
  LogText log;
  if (!FormLine(&log, *this, event)) return;
  KeepForTheEnd(this, event, log.Text);
  const bool failsHere = event.failsRun || (event.kind == kEventRunEnded && event.number != 0);
  if (failsHere && !FailureMarked) {
    WriteMarkedLine(host, event.failsRun ? log.Text : EndReasonText(event.reason));
    FailureMarked = true;
    if (event.failsRun) return;
  } else if (event.failsRun) {
    AddLogText(&log, "; fails the run as well");
  }
  WriteLine(host, log.Text);
}
