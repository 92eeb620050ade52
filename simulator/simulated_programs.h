// The programs and the setup libraries of the simulated Windows.
//
// - A file starts only as Windows starts it: an image by its "MZ" header, a
//   batch file, a DOS program; any other file is no program.
// - qvsmzad.exe runs qvsmzad's own walk of the country settings file on the
//   registry; qvsetup3.exe does what the stand-in does; the command
//   interpreter runs the batch file of its /c line; every other program
//   ends with exit code 0 unless the machine scripts it.
// - The setup libraries are those of the stand-ins, present where a file of
//   their name lies, as the search of LoadLibrary finds it; their entries
//   are the stand-ins' (simulated_standins.h).
#ifndef SIMULATOR_SIMULATED_PROGRAMS_H
#define SIMULATOR_SIMULATED_PROGRAMS_H

#include <string>
#include <vector>

#include "base/system.h"
#include "simulated_process.h"
#include "simulated_standins.h"

// The entries of the setup library of the name ("QVSETUP1.DLL",
// "QVSETUP2.DLL"), as its export table names them; none for another name.
std::vector<std::string> SetupLibraryExports(const char* name);

class SimulatedPrograms : public ProgramCalls {
 public:
  SimulatedPrograms(SimulatedProcess* process, SimulatedStandins* standins);

  SYSTEM_PROGRAM_CALLS(override)

  // Each program started: its path and arguments, in order.
  const std::vector<std::string>& Started() const { return started_; }
  // The directory in which the search of LoadLibrary finds a file of the
  // library's name (empty for none), and an entry's name.
  std::string LibraryDirectoryOf(const char* name) const;
  const char* EntryName(EntryHandle entry) const;

 private:
  struct LoadedLibrary {
    int number;  // 1 or 2
    std::string directory;
    unsigned loads;
  };

  // The scripted program that the path names, or nullptr.
  const ScriptedProgram* ScriptOf(const SimulatedFile& file) const;
  unsigned long RunCountryProgram(const char* commandLine);
  unsigned long RunBatchFile(const std::string& path);
  const LoadedLibrary* Loaded(LibraryHandle library) const;
  std::string EntryDirectory(EntryHandle entry) const;

  SimulatedProcess* process_;
  Machine* machine_;
  SimulatedStandins* standins_;
  std::vector<std::string> started_;
  std::vector<LoadedLibrary> libraries_;
};

#endif
