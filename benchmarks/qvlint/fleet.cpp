// The speed of qvlint --fleet: writes a fleet's installation logs (each a
// run of about forty lines, one in ten failed, one in fifty without an end)
// to a directory of its own, reads them all once as --fleet does, and prints
// the logs and lines read per second. It asserts nothing.
//
//   qvlint_fleet_benchmark [LOGS]
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "fleet_report.h"

namespace {

void WriteLog(const std::string& path, int number) {
  FILE* stream = fopen(path.c_str(), "wb");
  if (stream == nullptr) return;
  fprintf(stream,
          "2026-12-08 08:56:12.320 start: computer \"PC-%04d\", class 6 (Windows 98 SE), switches "
          "S, StartDir=\"C:\\medium\", WindowsDir=\"C:\\WINDOWS\", "
          "SystemDir=\"C:\\WINDOWS\\SYSTEM\"\r\n"
          "2026-12-08 08:56:12.321 options: CopyFilesOnly=no (value \"1\"), Debug=no (no key)\r\n",
          number);
  for (int i = 0; i < 18; ++i) {
    fprintf(
        stream,
        "2026-12-08 08:56:12.%03d delete C:\\WINDOWS\\SYSTEM\\qvsm%02d.vxd: passed over: nothing "
        "to remove (not found, error 2: The system cannot find the file specified.)\r\n"
        "2026-12-08 08:56:12.%03d copy C:\\medium\\qvsm%02d.vxd -> "
        "C:\\WINDOWS\\SYSTEM\\qvsm%02d.vxd: ok\r\n",
        330 + i, i, 340 + i, i, i);
  }
  if (number % 10 == 3) {
    fputs(
        "2026-12-08 08:56:12.400 !!! copy C:\\medium\\qvsm.vxd -> C:\\WINDOWS\\SYSTEM\\qvsm.vxd: "
        "in use (error 32: The process cannot access the file because it is being used by another "
        "process.)\r\n"
        "2026-12-08 08:56:12.401 end: exit code -1: the copy of C:\\medium\\qvsm.vxd to "
        "C:\\WINDOWS\\SYSTEM\\qvsm.vxd failed: in use (error 32)\r\n",
        stream);
  } else if (number % 50 != 7) {
    fputs(
        "2026-12-08 08:56:18.430 end: exit code 0: installed; the modem's class record appeared "
        "after 6 s\r\n",
        stream);
  }
  fclose(stream);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? atoi(argv[1]) : 1000;
  char pattern[] = "/tmp/qvlint_fleet_benchmark_XXXXXX";
  if (count <= 0 || mkdtemp(pattern) == nullptr) {
    fprintf(stderr, "usage: qvlint_fleet_benchmark [LOGS]\n");
    return 2;
  }
  const std::string dir = pattern;
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) {
    char name[32];
    snprintf(name, sizeof name, "/PC-%04d.log", i);
    paths.push_back(dir + name);
    WriteLog(paths.back(), i);
  }
  FILE* out = tmpfile();
  const auto start = std::chrono::steady_clock::now();
  const int code = ReportFleet({dir}, false, out, stderr);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const long printed = ftell(out);
  fclose(out);
  for (const std::string& path : paths) unlink(path.c_str());
  rmdir(dir.c_str());
  const double lines = 40.0 * count;
  printf(
      "%d logs (about %.0f lines) read and reported in %.1f ms: %.0f logs/s, %.0f lines/s; "
      "%ld bytes of report, exit code %d\n",
      count, lines, seconds * 1000, count / seconds, lines / seconds, printed, code);
  return 0;
}
