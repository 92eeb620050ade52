// The keys of INSTALL_OPTIONS in qvsetup.ini and how a yes/no value reads.
#pragma once
#include <stddef.h>

// Name of the options file beside setup.exe, and its options section.
const char* const OptionsFileName = "qvsetup.ini";
const char* const OptionsSection = "INSTALL_OPTIONS";

// The yes/no options, in the order in which they are read.
enum YesNoOption {
  HardwareDetectNTOption,
  DebugOption,
  WDMDriverOption,
  ReBootOption,
  CleanUpRegistryOption,
  CopyFilesOnlyOption,
  YesNoOptionCount
};

// The key of a yes/no option ("Debug" for DebugOption).
const char* YesNoOptionKey(YesNoOption option);

// The key that names the installation log file; its value is a path.
const char* const LogFileOptionKey = "LogFile";

// Bytes of the buffer that a yes/no value is read into.
const size_t OptionValueSize = 56;

// Whether an option value as the profile reader returns it means yes:
// its first character is Y or y.
bool OptionValueIsSet(const char* value);
