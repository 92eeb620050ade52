// Setup's own events: what a run does, in its own terms, told to the
// listeners of its Host as it happens. The installation log is one
// listener; qvlint's plan of a run another. Nothing of a run decides on
// what a listener makes of an event.
#ifndef SETUP_BASE_EVENTS_H
#define SETUP_BASE_EVENTS_H

#include "system_types.h"

struct Host;

// Why a run ended as it did: the reason that its ending was chosen for.
enum RunEndReason {
  kEndReasonNone,         // not ended yet
  kEndAnotherSetupRuns,   // the start was refused: another setup holds the mark
  kEndPathsDoNotFit,      // the paths could not be computed: nothing changed
  kEndMediumIncomplete,   // a file of the driver set is missing: nothing changed
  kEndLibraryNotLoaded,   // a setup library could not be loaded: the sequence stops
  kEndEntryMissing,       // a setup library lacks an entry: the sequence stops
  kEndOtherDevice,        // NT 4.0: GetInfByPci found another device, HardwareDetectNT set
  kEndServiceNotRemoved,  // NT 4.0: the earlier driver service stayed
  kEndServiceNeverRan,    // Windows 2000: the service poll reached its limit
  kEndChangeFailed,       // a change of the run could not be made
  kEndNothingWouldEnd,    // no refresh started (RefreshWin2K 0): nothing would end the run
  kEndSequenceStopped,    // the sequence stopped for another reason
  kEndSessionEnded,       // Windows ended the session during the run
  kEndModemFound,         // the modem poll found the modem's class record
  kEndModemPollLimit,     // the modem poll reached its limit, which counts as complete
  kEndServiceRuns,        // the service poll found the driver service running
  kEndRemoveOnly,         // the 9x family's D without R: removal only
  kEndCopyFilesOnly,      // CopyFilesOnly ends the run with its sequence
  kEndSequenceDone,       // the class ends the run when its sequence returns
  kEndCancelled,          // the welcome dialog's Cancel
  kEndRestartDialog,      // the restart dialog's buttons ended the run
  kEndWelcomeNotShown     // the welcome dialog could not be shown
};

enum RunEventKind {
  kEventRunStarted,        // the log is open: text the computer's name
  kEventFileCopied,        // path the source (or the bare name when a path does not fit), target
                           // the destination (or its directory); status; counted: its failure
                           // fails the run
  kEventSearchStopped,     // a copy by pattern whose search stopped before its end: path the
                           // pattern, target the directory; status; counted
  kEventFileDeleted,       // path; status
  kEventFileRenamed,       // path to target; status
  kEventDirectoryMade,     // path; status
  kEventKeyCreated,        // path below HKLM; status
  kEventKeyDeleted,        // path below HKLM; status
  kEventValueSet,          // path below HKLM, name, valueType, data and dataSize; status
  kEventValueDeleted,      // path below HKLM, name; status
  kEventLibraryLoaded,     // path the library's name; status
  kEventEntryMissing,      // name the entry that a library lacks
  kEventEntryCalled,       // name the entry, text its arguments and what it handed back as the
                           // log shows them, number its answer
  kEventProgramRun,        // path, text the command line, program its result
  kEventWordRefused,       // a launch entry's word that the run does not pass on: path the
                           // program, text the word
  kEventListEntry,         // a list entry taken: path the section, name the key
  kEventWaitStarted,       // timer, interval and limit (ms); status 0 when the timer runs
  kEventWaitEnded,         // timer; found; number the ms that the poll counted
  kEventCleanupBegins,     // FinalCleanup starts
  kEventRestartRequested,  // status of the request (or of the privilege)
  kEventMessage,           // DebugMessage: text, name the caption
  kEventNote,              // any other line of the log, text as it stands
  kEventRunEnded           // number the exit code, reason
};

// One event. The fields that a kind does not name are null or zero.
struct RunEvent {
  RunEventKind kind;
  const char* path;
  const char* target;
  const char* name;
  const char* text;
  SystemStatus status;
  bool counted;
  bool found;
  unsigned long valueType;
  const unsigned char* data;
  unsigned long dataSize;
  long number;
  int timer;
  unsigned interval;
  unsigned limit;
  const ProgramResult* program;
  RunEndReason reason;
};

// Hears every event of a run, in order. Called on the run's thread.
class RunListener {
 public:
  virtual ~RunListener() {}
  virtual void Heard(Host& host, const RunEvent& event) = 0;
};

// An event with every field zero but its kind.
RunEvent EventOf(RunEventKind kind);

// Adds a listener to the host, after those it has; false when the host
// holds as many as it can.
bool AddRunListener(Host& host, RunListener* listener);

// Tells every listener of the host.
void TellListeners(Host& host, const RunEvent& event);

#endif
