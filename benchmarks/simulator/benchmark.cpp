// The time of a silent run of setup on the simulated Windows, on the sample
// medium, for every platform class; beside it the time that building the
// machine takes, measured in the same loop. It prints the figures and their
// ratio and asserts nothing.
//
//   simulate_benchmark SOURCE_DIR [RUNS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "scenario.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: simulate_benchmark SOURCE_DIR [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? atoi(argv[2]) : 200;
  printf("%-6s %12s %12s %8s %10s\n", "class", "machine ms", "run ms", "ratio", "exit code");
  for (const ClassName& each : kClassNames) {
    std::chrono::steady_clock::duration building{}, running{};
    SimulatedRunResult result = {};
    for (int i = 0; i < runs; ++i) {
      const auto start = std::chrono::steady_clock::now();
      std::unique_ptr<Machine> machine(new Machine);
      std::string error;
      if (!StartSampleMachine(argv[1], each.osClass, true, machine.get(), &error)) {
        fprintf(stderr, "simulate_benchmark: %s\n", error.c_str());
        return 2;
      }
      const auto built = std::chrono::steady_clock::now();
      result = RunSetupOn(*machine, "S");
      running += std::chrono::steady_clock::now() - built;
      building += built - start;
    }
    const double build = Milliseconds(building) / runs, run = Milliseconds(running) / runs;
    printf("%-6s %12.3f %12.3f %8.2f %10d%s\n", each.name, build, run, run / build, result.exitCode,
           result.waitsForever ? " (waits forever)" : "");
  }
  return 0;
}
