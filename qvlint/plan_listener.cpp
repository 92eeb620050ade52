#include "plan_listener.h"

#include "base/log_rules.h"
#include "files/lists_rules.h"
#include "reg_file.h"

std::string StatusText(SystemStatus status) {
  LogText log;
  StartLogText(&log, "");
  AddLogStatusWord(&log, static_cast<unsigned long>(status));
  return log.Text;
}

std::string SecondsText(long long milliseconds) {
  return std::to_string(milliseconds / 1000) + " s";
}

namespace {

const char kKeyRoot[] = "HKLM\\";

std::string Quoted(const std::string& text) {
  LogText log;
  StartLogText(&log, "");
  AddLogQuoted(&log, text.c_str());
  return log.Text;
}

// A value's data as the log shows it: a string in quotation marks, a
// number in decimal, other data in hexadecimal digits.
std::string ShownData(unsigned long type, const std::string& bytes) {
  if (type == kRegistryString || type == kRegistryExpandString) return Quoted(bytes.c_str());
  if (type == kRegistryNumber && bytes.size() == 4) {
    unsigned long number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(bytes[i]);
    return std::to_string(number);
  }
  return RegeditData(type, bytes);
}

}  // namespace

PlanListener::PlanListener(const Profile* options, OsClass osClass)
    : options_(options),
      osClass_(osClass),
      listEntry_(nullptr),
      copyList_(false),
      waits_(),
      stepsBeforeCleanup_(std::string::npos),
      endReason_(kEndReasonNone) {}

PlanStep& PlanListener::Add(PlanStepKind kind, const std::string& text, SystemStatus status) {
  PlanStep step = {};
  step.kind = kind;
  step.text = text;
  step.status = status;
  step.result = StatusText(status);
  const bool fromList = listEntry_ != nullptr &&
                        ((kind == kStepCopy && copyList_) || (kind == kStepRun && !copyList_));
  if (fromList) {
    step.sourceLine = listEntry_->line;
    step.sourceColumn = ProfileValueColumn(*listEntry_);
  } else {
    listEntry_ = nullptr;
  }
  steps_.push_back(step);
  return steps_.back();
}

void PlanListener::HeardFileEvent(const RunEvent& event) {
  if (event.skipped) return;
  const std::string path = event.path;
  if (event.kind == kEventFileCopied) {
    PlanStep& step = Add(kStepCopy, "copy " + path + " -> " + event.target, event.status);
    step.from = path;
    step.to = event.target;
    step.failed = event.status != kStatusSuccess;
    step.failsRun = event.failsRun;
  } else if (event.kind == kEventFileRenamed) {
    PlanStep& step = Add(kStepRename, "rename " + path + " -> " + event.target, event.status);
    step.from = path;
    step.to = event.target;
  } else if (event.kind == kEventFileDeleted) {
    Add(kStepDelete, "delete " + path, event.status).path = path;
  } else {
    // An empty path shows as such: setup asks for the directory of an empty
    // earlier SourcePath too.
    Add(kStepMakeDirectory, "mkdir " + (path.empty() ? "\"\"" : path), event.status).path = path;
  }
}

void PlanListener::HeardRegistryEvent(const RunEvent& event) {
  if (event.skipped) return;
  const std::string key = kKeyRoot + std::string(event.path);
  const std::string name = event.name != nullptr ? event.name : "";
  PlanStep* step;
  if (event.kind == kEventKeyDeleted) {
    step = &Add(kStepRegistryDeleteKey, "delete key " + key, event.status);
  } else if (event.kind == kEventValueSet || event.kind == kEventRecordWritten) {
    const std::string bytes(reinterpret_cast<const char*>(event.data), event.dataSize);
    step = &Add(kStepRegistrySet,
                "set " + key + " [" + name + "] = " + ShownData(event.valueType, bytes),
                event.status);
    step->data = RegeditData(event.valueType, bytes);
  } else {
    step = &Add(kStepRegistryDeleteValue, "delete value " + key + " [" + name + "]", event.status);
  }
  step->key = key;
  if (event.kind != kEventKeyDeleted) step->value = name;
}

void PlanListener::HeardCallEvent(const RunEvent& event) {
  if (event.skipped) return;
  const std::string name = event.kind == kEventEntryCalled ? event.name : event.path;
  PlanStep* step;
  if (event.kind == kEventLibraryLoaded) {
    step = &Add(kStepCall, "load " + name, event.status);
    step->call = kLoadCall;
    step->entry = "load";
    step->arguments = name;
  } else if (event.kind == kEventEntryMissing) {
    step = &Add(kStepCall, "bind " + name, event.status);
    step->call = kBindCall;
    step->entry = "bind";
    step->arguments = name;
  } else {
    step = &Add(kStepCall, "call " + name + "(" + event.text + ")", kStatusSuccess);
    step->entry = name;
    step->arguments = event.text;
    step->call = kEntryCall;
    step->result = std::to_string(event.number) + (event.target != nullptr ? event.target : "");
  }
}

void PlanListener::HeardRunEvent(const RunEvent& event) {
  if (event.kind == kEventProgramStarted) {
    command_ = event.text;
    return;
  }
  const ProgramResult& result = *event.program;
  PlanStep& step =
      Add(kStepRun, std::string("run ") + event.path + " " + Quoted(command_) + " in " + directory_,
          result.Started);
  step.started = result.Started == kStatusSuccess;
  step.exitCode = result.ExitCode;
  step.result = step.started ? "exit code " + std::to_string(result.ExitCode)
                             : "not started, " + StatusText(result.Started);
  step.failed = !step.started || result.ExitCode != 0;
  step.path = event.path;
  step.command = command_;
  step.directory = directory_;
}

void PlanListener::HeardWaitEvent(const RunEvent& event) {
  if (event.kind != kEventWaitStarted) {
    PlanStep& step = steps_[waits_[event.timer]];
    step.waited = event.number;
    step.result = event.kind == kEventWaitStopped ? "stopped after "
                  : event.found                   ? "found after "
                                                  : "not found, the limit reached after ";
    step.result += SecondsText(step.waited);
    return;
  }
  const char* target = event.timer == kModemPollTimerId ? "the modem's class record"
                                                        : "the driver service to run";
  PlanStep& step =
      Add(kStepWait,
          std::string("wait for ") + target + ", every " + std::to_string(event.interval / 1000) +
              " s, up to " + std::to_string(event.limit / 1000) + " s",
          kStatusSuccess);
  step.result = event.found ? "still waiting" : "no timer";
  step.waitFor = target;
  step.interval = event.interval;
  step.limit = event.limit;
  if (event.found) waits_[event.timer] = steps_.size() - 1;
}

// The line of qvsetup.ini that the entry taken comes from, as qvlint reads
// the file.
void PlanListener::TakeListEntry(const char* sectionName, const char* key) {
  const ProfileSection* section = FindProfileSection(*options_, sectionName);
  listEntry_ = section != nullptr ? FindProfileKey(*section, key) : nullptr;
  const char* copySection = CopyListSection(osClass_);
  copyList_ = copySection != nullptr && SameNameIgnoringCase(sectionName, copySection);
}

// The checks before the first change, and the medium's driver set.
void PlanListener::HeardCheckEvent(const RunEvent& event) {
  const char kCheckStep[] =
      "check the medium, the destinations and the programs before the first change";
  if (event.kind == kEventMediumIncomplete) {
    const std::string missing = event.path;
    missingMediumFile_ = missing.substr(missing.find_last_of('\\') + 1);
  } else if (event.kind == kEventPreflightPassed) {
    Add(kStepCheck, kCheckStep, kStatusSuccess);
  } else {
    failedCheck_ =
        "\"" + std::string(event.path) + "\" " + event.text + " (" + StatusText(event.status) + ")";
    Add(kStepCheck, kCheckStep, event.status).result = failedCheck_;
    steps_.back().failed = true;
  }
}

void PlanListener::Heard(Host&, const RunEvent& event) {
  switch (event.kind) {
    case kEventFileCopied:
    case kEventFileDeleted:
    case kEventFileRenamed:
    case kEventDirectoryMade:
      HeardFileEvent(event);
      break;
    case kEventKeyDeleted:
    case kEventValueSet:
    case kEventValueDeleted:
    case kEventRecordWritten:
    case kEventRecordDropped:
      HeardRegistryEvent(event);
      break;
    case kEventLibraryLoaded:
    case kEventEntryMissing:
    case kEventEntryCalled:
      HeardCallEvent(event);
      break;
    case kEventProgramStarted:
    case kEventProgramEnded:
      HeardRunEvent(event);
      break;
    case kEventWaitStarted:
    case kEventWaitEnded:
    case kEventWaitStopped:
      HeardWaitEvent(event);
      break;
    case kEventDirectoryChanged:
      directory_ = event.path;
      break;
    case kEventListEntry:
      if (!event.passedOver) TakeListEntry(event.path, event.name);
      break;
    case kEventMediumIncomplete:
    case kEventPreflightPassed:
    case kEventPreflightFailed:
      HeardCheckEvent(event);
      break;
    case kEventCleanupBegins:
      if (stepsBeforeCleanup_ == std::string::npos) stepsBeforeCleanup_ = steps_.size();
      break;
    case kEventRunEnded:
      Add(kStepEnd, "end", kStatusSuccess).result = "exit code " + std::to_string(event.number);
      endReason_ = event.reason;
      break;
    default:
      break;  // the log's lines alone: messages, notes, refused words, keys created
  }
}
