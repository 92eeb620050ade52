// The setup libraries' entries as the installation log sees them: while the
// log is open, each bound entry is called through a wrapper that logs the
// call with the gist of its arguments and its result.
#pragma once

#include "setup_libraries.h"

// Puts a logging wrapper in place of every entry of the record that is
// bound and not wrapped yet. Does nothing while the log is closed.
void LogEntryCalls(SetupEntriesRecord* entries);
