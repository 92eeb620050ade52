// What every operation of a run works through: the seam to Windows, the
// listeners of its events (the installation log first) and the progress
// bar. The entry creates it with the run and hands it down; nothing of it
// is process-wide.
#ifndef SETUP_BASE_HOST_H
#define SETUP_BASE_HOST_H

#include "events.h"
#include "system.h"

// The installation log: its file while open, and whether the Debug option
// shows diagnostic boxes. It hears the run's events and writes the line of
// each one that has one (log.cpp).
// It marks the first failure that fails the run and keeps, for the end
// line, the first of each kind of cause that an ending can name and the
// time that each completion poll took.
const unsigned kLogCauseKinds = 5;
const size_t kLogCauseSize = 1024;

struct InstallLog : RunListener {
  FileHandle File;  // null while no log is open
  bool DebugMessagesShown;
  bool FailureMarked;                          // a line carries the run's failure
  char Causes[kLogCauseKinds][kLogCauseSize];  // empty: none told
  long PollMilliseconds[2];                    // of the modem and the service poll
  void Heard(Host& host, const RunEvent& event) override;
};

// The progress dialog's bar, which the dialog attaches while it shows, and
// the count of single steps sent to it. Stepping with no bar attached (a
// silent run) does nothing.
struct Progress {
  void (*StepBar)(void* bar);
  void* Bar;
  unsigned Count;
};

// The listeners that hear a run's events: the installation log, and what
// a caller of the run adds (qvlint's plan).
const unsigned kMostRunListeners = 4;

struct Host {
  System* system;
  RunListener* listeners[kMostRunListeners];
  unsigned listenerCount;
  InstallLog log;
  Progress progress;
  // A change that the run was to make could not be made: a file of the
  // driver set or the copy list not copied, a record not written or not
  // put back, a program there that did not start. The run goes on to its
  // end and then fails.
  bool ChangeFailed;
};

// Adds a listener to the host, after those it has; false when the host
// holds as many as it can.
bool AddRunListener(Host& host, RunListener* listener);

// Tells every listener of the host.
void TellListeners(Host& host, const RunEvent& event);

// Tells OutcomeEvent; returns status, so that it can wrap the call whose
// result it tells.
SystemStatus TellOutcome(Host& host, RunEventKind kind, const char* path, const char* target,
                         SystemStatus status);

// Tells text as a note.
void TellNote(Host& host, const char* text);

// Tells text as a note of the failure that fails the run.
void TellFailure(Host& host, const char* text);

// Marks the host's ChangeFailed and tells it.
void FailChange(Host& host);

#endif
