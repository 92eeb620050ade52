// The machines and states of the fault matrix: setup's silent run on the
// sample medium, cut off after a call or with one call failing, held
// against one clean run on the same machine.
#ifndef SIMULATOR_FAULT_MATRIX_H
#define SIMULATOR_FAULT_MATRIX_H

#include <map>
#include <string>

#include "machine.h"

// A run of the matrix: the class, what qvstandin.ini beside the stand-ins
// says (empty: no file, every entry succeeds), and whether it also runs
// over the installation of an older version.
struct MatrixRun {
  const char* name;
  OsClass osClass;
  const char* standins;
  bool overOlderVersion;
};

enum MatrixMachine {
  kWithoutInstallation,
  kEarlierInstallation,  // what one clean run of setup leaves
  kOlderInstallation     // what a clean run from an older medium, all of whose files differ, leaves
};

// The sample machine of the run on Windows as its documentation describes
// it, with the SourcePath that Windows' own setup leaves, in the state of
// the kind.
bool StartMatrixMachine(const std::string& sourceDir, const MatrixRun& run, MatrixMachine kind,
                        Machine* machine, std::string* error);

// What a machine holds: each registry key ("HKLM\KEY"), value ("HKLM\KEY
// : NAME") and each directory and file ("C:\DIR\NAME") in capitals, with
// its type and data, or its attributes and content. Left out, as they
// follow the clock or tell nothing of the run's decisions: the data of
// HomolTimeStamp, the time of the country settings program's run (a poll
// that takes a tick more runs it later), and, without kWithArchiveBit, a
// file's archive bit, which only tells backup programs that the file
// changed.
typedef std::map<std::string, std::string> MachineState;
enum ArchiveBit { kWithoutArchiveBit, kWithArchiveBit };
MachineState StateOf(const Machine& machine, ArchiveBit archiveBit);

// How a run leaves the machine: as before (the state before the run; on a
// machine that holds what the clean run leaves, that is the clean run's
// state too), as installed (the clean run's end state) or broken.
enum MatrixEnd { kAsBefore, kAsInstalled, kBroken };
MatrixEnd EndOfRun(const MachineState& before, const MachineState& clean,
                   const MachineState& after);

// A working installation: every driver component of the clean run's end
// state is there whole in `after`, either as it was `before` the run or as
// the clean run leaves it. The driver components: each INF in the INF
// directory, each file in Options\CABS and in the system and drivers
// directories, and each record of the Modem class (of the 9x family or of
// NT) with what is below it; a file is whole by its content, whatever its
// attributes.
bool HasWorkingInstallation(const MachineState& before, const MachineState& clean,
                            const MachineState& after);

// The entry's data; empty when the state has no such entry.
std::string EntryData(const MachineState& state, const std::string& name);

// Whether the entry is a file rather than a key, value or directory.
bool IsFileEntry(const std::string& name, const std::string& data);

// A value's data bytes in hexadecimal digits, without its type.
std::string ValueBytes(const std::string& data);

// The entry's data in a line of a report, a file's content by its size;
// "absent" for none.
std::string EntryText(const MachineState& state, const std::string& name);

#endif
