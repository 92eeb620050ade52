// The switches of the setup command line, and the options of INSTALL_OPTIONS
// in qvsetup.ini: their keys and how a yes/no value reads.
#ifndef SETUP_BASE_OPTIONS_H
#define SETUP_BASE_OPTIONS_H

#include <stddef.h>

#include "paths_rules.h"
#include "system.h"

struct CommandSwitches {
  bool SilentMode;   // S: no dialogs
  bool RemoveMode;   // D: remove the driver
  bool RefreshMode;  // R: refresh the driver
};

// Upper-cases the command line in place, splits it at space, hyphen and
// newline, and sets a switch for each token that is exactly S, D or R.
// Switches are only ever set; other tokens are ignored.
void ParseCommandLine(char* commandLine, CommandSwitches* switches);

// The yes/no options, in the order in which they are read.
enum YesNoOption {
  kHardwareDetectNTOption,
  kDebugOption,
  kWDMDriverOption,
  kReBootOption,
  kCleanUpRegistryOption,
  kCopyFilesOnlyOption,
  kYesNoOptionCount
};

// Bytes of the buffer that a yes/no value is read into.
const size_t kOptionValueSize = 56;

// A yes/no option as read, for the log: whether its key is there and the
// value it came from.
struct OptionRead {
  bool Present;
  char Value[kOptionValueSize];
};

struct SetupOptions {
  bool HardwareDetectNT;
  bool Debug;
  bool WDMDriver;
  bool ReBoot;
  bool CleanUpRegistry;
  bool CopyFilesOnly;
  char LogFile[kSetupPathSize];        // the installation log's file name; empty: no log
  bool LogFileTooLong;                 // LogFile names a log, but too long a name to hold
  OptionRead Read[kYesNoOptionCount];  // each yes/no option as read, in the order of YesNoOption
};

// Name of the options file beside setup.exe, and its options section.
const char* const kOptionsFileName = "qvsetup.ini";
const char* const kOptionsSection = "INSTALL_OPTIONS";

// The key of a yes/no option ("Debug" for kDebugOption).
const char* YesNoOptionKey(YesNoOption option);

// The key that names the installation log file; its value is a path.
const char* const kLogFileOptionKey = "LogFile";

// Whether an option value as the profile reader returns it means yes:
// its first character is Y or y.
bool OptionValueIsSet(const char* value);

// Reads the six options and LogFile from the options file in sourceDir. A
// LogFile name too long for its buffer leaves it empty rather than cut, and
// says so.
void ReadSetupOptions(System& system, const char* sourceDir, SetupOptions* options);

#endif
