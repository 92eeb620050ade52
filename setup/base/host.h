// What every operation of a run works through: the seam to Windows, the
// installation log and the progress bar. The entry creates it with the run
// and hands it down; nothing of it is process-wide.
#ifndef SETUP_BASE_HOST_H
#define SETUP_BASE_HOST_H

#include "events.h"
#include "system.h"

// The installation log: its file while open, and whether the Debug option
// shows diagnostic boxes.
struct InstallLog {
  FileHandle File;  // null while no log is open
  bool DebugMessagesShown;
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

#endif
