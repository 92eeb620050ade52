#include "log.h"

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
  StartLogText(&log, "start: computer ");
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

}  // namespace

void OpenInstallLog(Host& host, const SetupOptions& options, const SetupPaths& paths,
                    OsClass osClass, const CommandSwitches& switches) {
  if (InstallLogOpen(host) || !options.LogFile[0]) return;
  char computer[kComputerNameSize];
  if (!host.system->ComputerName(computer, sizeof computer)) computer[0] = '\0';
  char name[kSetupPathSize], path[kSetupPathSize];
  if (!ExpandLogFileName(*host.system, options.LogFile, computer, name) ||
      !FormLogFilePath(path, sizeof path, paths.SourceDir, name))
    return;
  FileHandle file = nullptr;
  if (host.system->OpenFileToAppend(path, &file) != kStatusSuccess) return;
  host.log.File = file;
  WriteStartLine(host, computer, paths, osClass, switches);
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

// "action subject -> target: status"; target may be null.
void AddOutcome(LogText* log, const char* action, const RunEvent& event) {
  StartLogText(log, action);
  AddLogText(log, " ");
  AddLogText(log, event.path);
  if (event.target) {
    AddLogText(log, " -> ");
    AddLogText(log, event.target);
  }
  AddLogText(log, ": ");
  AddLogStatus(log, static_cast<unsigned long>(event.status));
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
  AddLogText(log, ": ");
  AddLogStatus(log, static_cast<unsigned long>(event.status));
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
    AddLogText(log, ": not started, ");
    AddLogStatus(log, static_cast<unsigned long>(result.Started));
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
  AddLogText(log, ": ");
  AddLogStatus(log, static_cast<unsigned long>(event.status));
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

void AddRunEnd(LogText* log, const RunEvent& event) {
  StartLogText(log, "end: exit code ");
  AddLogNumber(log, event.number);
}

// The line of an event into log; false for an event that has none.
bool FormLine(LogText* log, const RunEvent& event) {
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
    case kEventRunEnded:
      AddRunEnd(log, event);
      return true;
    default:
      return false;  // the run's own bookkeeping: directories, list entries, waits begun
  }
}

}  // namespace

void InstallLog::Heard(Host& host, const RunEvent& event) {
  LogText log;
  if (InstallLogOpen(host) && FormLine(&log, event)) WriteLine(host, log.Text);
}
