// setup_simulate SCENARIO_DIR: runs setup on the machine that the scenario
// directory describes and prints the result as JSON (scenario.h): the
// simulated side of the differential test against setup.exe under Wine.
// Exit code 0 with the result, 2 when the scenario can not be read.
#include <cstdio>
#include <memory>
#include <string>

#include "scenario.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: setup_simulate SCENARIO_DIR\n");
    return 2;
  }
  std::unique_ptr<Scenario> scenario(new Scenario);
  std::string error;
  if (!LoadScenario(argv[1], scenario.get(), &error)) {
    fprintf(stderr, "setup_simulate: %s\n", error.c_str());
    return 2;
  }
  const MachineFiles before = SnapshotFiles(scenario->machine.disk);
  const SimulatedRunResult result = RunSetupOn(scenario->machine, scenario->commandLine.c_str());
  PrintResultJson(stdout, result, *scenario, before);
  return 0;
}
