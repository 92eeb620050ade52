// Setup's own events: what a run does, in its own terms, told to the
// listeners of its Host as it happens, whether or not a log is open. The
// installation log is one listener; qvlint's plan of a run another. Nothing
// of a run decides on what a listener makes of an event.
#ifndef SETUP_BASE_EVENTS_H
#define SETUP_BASE_EVENTS_H

#include "system_types.h"

struct Host;

// Why a run ended as it did: the reason that its ending was chosen for.
enum RunEndReason {
  kEndReasonNone,         // not ended yet
  kEndAnotherSetupRuns,   // the start was refused: another setup holds the mark
  kEndPathsNotFormed,     // the paths could not be computed: nothing changed
  kEndMediumIncomplete,   // a file of the driver set is missing: nothing changed
  kEndPreflightFailed,    // a check before the first change failed: nothing changed
  kEndLibraryNotLoaded,   // a setup library could not be loaded: the sequence stops
  kEndEntryMissing,       // a setup library lacks an entry: the sequence stops
  kEndServiceNotRemoved,  // NT 4.0: the earlier driver service stayed
  kEndServiceNeverRan,    // Windows 2000: the service poll reached its limit
  kEndChangeFailed,       // a change of the run could not be made
  kEndNoRefresh,          // RefreshWin2K answered 0: nothing would end the run
  kEndOtherDevice,        // NT 4.0: GetInfByPci found another device, HardwareDetectNT set
  kEndSequenceStopped,    // the sequence stopped, or left nothing to end the run, for another cause
  kEndSessionEnded,       // Windows ended the session during the run
  kEndMainWindowClosed,   // the main window was destroyed
  kEndModemFound,         // the modem poll found the modem's class record
  kEndModemPollLimit,     // the modem poll reached its limit, which counts as complete
  kEndServiceRuns,        // the service poll found the driver service running
  kEndRemoveOnly,         // the 9x family's D without R: removal only
  kEndCopyFilesOnly,      // CopyFilesOnly ends the run with its sequence
  kEndSequenceDone,       // the class ends the run when its sequence returns
  kEndCancelled,          // the welcome dialog's Cancel
  kEndRestartDialog,      // the restart dialog's buttons ended the run
  kEndWelcomeNotShown,    // the welcome dialog could not be shown
  kEndLogNotOpened        // the installation log that LogFile names could not be opened
};

// The completion timers are timers of the main window with these ids.
enum CompletionTimerId { kModemPollTimerId = 1, kServicePollTimerId = 2 };

// The fields that each kind fills; status is a Win32 error code (0 for
// success). Paths of the registry lie below HKLM.
enum RunEventKind {
  kEventFileCopied,        // path the source, target the destination (the bare name and the
                           // directory when a path does not fit: skipped); through the copy
                           // filled beside it, aside the earlier file that the 9x family set
                           // aside (null when none was); status
  kEventSearchStopped,     // a copy by pattern whose search stopped before its end: path the
                           // pattern, target the directory; status
  kEventFileDeleted,       // path; status
  kEventFileRenamed,       // path to target (bare names when a path does not fit); status
  kEventDirectoryMade,     // path; status
  kEventDirectoryChanged,  // path: the current directory of the run from now on
  kEventKeyCreated,        // path; status
  kEventKeyDeleted,        // path; status
  kEventValueSet,          // path, name, valueType, data and dataSize; status (skipped: the key
                           // did not open)
  kEventValueDeleted,      // path, name; status (skipped: the key did not open)
  kEventRecordWritten,     // SourcePath's record of the run, as kEventValueSet
  kEventRecordDropped,     // the record again, not kept on disk: as kEventValueDeleted
  kEventLibraryLoaded,     // path the library's name; status
  kEventEntryMissing,      // path the entry's name that a library lacks; status (skipped: no
                           // library to look in)
  kEventEntryCalled,       // name the entry; text the arguments handed in, parameters their
                           // names where the log shows those instead; number the answer,
                           // target what it handed back (": id ...") or null
  kEventProgramStarted,    // path, text the command line
  kEventProgramEnded,      // path, text the command line as the start left it, program
  kEventWordRefused,       // a launch entry that the run does not start: path the program,
                           // text the word that the command interpreter would read otherwise
  kEventListEntry,         // a list entry taken, before it is carried out: path the section,
                           // name the key, text the value; passedOver set: not taken, and why
  kEventMediumIncomplete,  // path: the file of the driver set that the medium lacks
  kEventPreflightFailed,   // a check before the first change failed: path the file, directory
                           // or drive checked, text what it failed for; status
  kEventPreflightPassed,   // every check before the first change passed
  kEventWaitStarted,       // timer, interval and limit (ms); found: Windows gave the timer
  kEventWaitEnded,         // the tick that ends a poll: timer; found, or else the limit reached;
                           // number the ms that the poll's ticks counted
  kEventWaitStopped,       // a poll that no tick ended, stopped (the clean-up of a run that
                           // finished at once, the end of the session): timer; number as above
  kEventCleanupBegins,     // FinalCleanup starts
  kEventRestartRequested,  // path "Windows"; status of the request (or of the privilege)
  kEventMessage,           // DebugMessage: text, name the caption
  kEventChangeFailed,      // a change that the run was to make could not be made: the run goes
                           // on and fails at its end. Told after the event of that change,
                           // where it has one
  kEventNote,              // anything else that the run tells: text
  kEventRunEnded           // number the exit code, reason
};

// One event. The fields that a kind does not name are null or zero.
struct RunEvent {
  RunEventKind kind;
  const char* path;
  const char* target;
  const char* name;
  const char* text;
  const char* through;
  const char* aside;
  const char* parameters;
  SystemStatus status;
  bool skipped;  // Windows was not asked: a path did not fit, a key did not open
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
  // A failure told that fails the run (set before it is told, by what
  // decides so); passedOver: why the run goes on without what failed, or
  // did not take the list entry (null: not said).
  bool failsRun;
  const char* passedOver;
};

// Hears every event of a run, in order. Called on the run's thread.
class RunListener {
 public:
  virtual ~RunListener() {}
  virtual void Heard(Host& host, const RunEvent& event) = 0;
};

// An event with every field zero but its kind.
RunEvent EventOf(RunEventKind kind);

// The outcome of an operation on path (and target, which may be null).
RunEvent OutcomeEvent(RunEventKind kind, const char* path, const char* target, SystemStatus status);

// A registry value written (kEventValueSet, kEventRecordWritten: data of
// its type) or removed (kEventValueDeleted, kEventRecordDropped: no data).
RunEvent ValueEvent(RunEventKind kind, const char* path, const char* name, unsigned long type,
                    const void* data, unsigned long size, SystemStatus status);

#endif
