// The switches of the setup command line.
#pragma once

struct CommandSwitches {
  bool Silent;   // S: no dialogs
  bool Remove;   // D: remove the driver
  bool Refresh;  // R: refresh the driver
};

// Upper-cases the command line in place, splits it at space, hyphen and
// newline, and sets a switch for each token that is exactly S, D or R.
// Switches are only ever set; other tokens are ignored.
void ParseCommandLine(char* commandLine, CommandSwitches* switches);
