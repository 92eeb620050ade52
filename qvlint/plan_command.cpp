#include "plan_command.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>

#include "arguments.h"
#include "base/options.h"
#include "medium_files.h"
#include "plan_output.h"

namespace {

bool ReadWholeFile(const char* path, std::string* bytes) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return false;
  char buffer[65536];
  size_t read;
  while ((read = fread(buffer, 1, sizeof buffer, file)) > 0) bytes->append(buffer, read);
  const bool whole = ferror(file) == 0;
  fclose(file);
  return whole;
}

// S, D and R in any case and order; S is implied.
bool ReadSwitches(const char* letters, PlanRequest* request) {
  for (const char* letter = letters; *letter; ++letter) {
    const char upper = static_cast<char>(toupper(static_cast<unsigned char>(*letter)));
    if (upper == 'D')
      request->removeSwitch = true;
    else if (upper == 'R')
      request->refreshSwitch = true;
    else if (upper != 'S')
      return false;
  }
  return true;
}

// A directory on the machine's drive C:, without a trailing backslash.
bool ReadWindowsDir(const char* text, PlanRequest* request) {
  std::string dir = text;
  while (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  request->windowsDir = dir;
  return dir.size() > 3 && (dir[0] == 'C' || dir[0] == 'c') && dir.compare(1, 2, ":\\") == 0;
}

// The file of --machine or --libraries into the request; false, having
// said why, when it can not be read or is no registry export.
bool ReadFileOption(const std::string& option, const char* path, PlanRequest* request) {
  std::string bytes, problem;
  if (!ReadWholeFile(path, &bytes)) {
    SayProblem("", path, ": can not be read");
    return false;
  }
  if (option == "--libraries") {
    request->hasLibraries = true;
    request->libraries += bytes;
    return true;
  }
  if (!ConvertRegistryExport(bytes, &request->machine, &problem)) {
    SayProblem("", path, (": no registry export: " + problem).c_str());
    return false;
  }
  request->hasMachine = true;
  return true;
}

struct PlanArguments {
  const char* className;
  const char* medium;
  bool json;
};

// The options into the request and the arguments; false, having said why,
// when a file can not be read or the command line is unusable.
bool ReadPlanArguments(int argc, char** argv, PlanRequest* request, PlanArguments* arguments) {
  bool usable = true;
  for (int i = 1; i < argc && usable; ++i) {
    long long seconds = 0;
    bool valid = true;
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    const std::string option = argv[i];
    const bool takesValue = option == "--plan" || option == "--switches" ||
                            option == "--hardware-id" || option == "--machine" ||
                            option == "--libraries" || option == "--windows-dir";
    if (takesValue && value == nullptr) {
      usable = false;
    } else if (option == "--plan") {
      arguments->className = argv[++i];
    } else if (option == "--json") {
      arguments->json = true;
    } else if (option == "--switches") {
      usable = ReadSwitches(argv[++i], request);
    } else if (option == "--hardware-id") {
      request->hasHardwareId = true;
      request->hardwareId = argv[++i];
    } else if (option == "--machine" || option == "--libraries") {
      if (!ReadFileOption(option, argv[++i], request)) return false;
    } else if (option == "--windows-dir") {
      usable = ReadWindowsDir(argv[++i], request);
    } else if (NumberOption(argc, argv, &i, "--time", &seconds, &valid)) {
      usable = valid && seconds >= 0;
      request->startTime = seconds;
    } else if (arguments->medium == nullptr && option.compare(0, 2, "--") != 0) {
      arguments->medium = argv[i];
    } else {
      usable = false;
    }
  }
  if (!usable) PrintUsage(stderr);
  return usable;
}

// The plans of the classes asked for, made on the medium; false, having
// said why, when one can not be made.
bool MakePlans(const PlanRequest& request, const PlanClass* platform, const char* medium,
               std::vector<std::unique_ptr<Plan>>* plans) {
  for (const PlanClass& each : kClassNames) {
    if (platform != nullptr && &each != platform) continue;
    plans->emplace_back(new Plan);
    std::string problem;
    if (!MakePlan(request, each, plans->back().get(), &problem)) {
      SayProblem("", medium, (": " + problem).c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int PlanCommand(int argc, char** argv) {
  PlanRequest request = {};
  request.startTime = static_cast<int64_t>(time(nullptr));
  PlanArguments arguments = {nullptr, nullptr, false};
  if (!ReadPlanArguments(argc, argv, &request, &arguments)) return kUnreadable;
  const char* className = arguments.className;
  const char* medium = arguments.medium;
  const bool all = className != nullptr && strcmp(className, "all") == 0;
  const PlanClass* platform = className != nullptr ? FindClassName(className) : nullptr;
  if (medium == nullptr || (!all && platform == nullptr)) {
    PrintUsage(stderr);
    return kUnreadable;
  }
  if (KindOfPath(medium) != kDirectoryFile) {
    SayProblem("", medium, ": is no medium directory");
    return kUnreadable;
  }
  std::string problem;
  // The medium's names as Windows shows them in the Western code page.
  const unsigned codePage = kWesternCodePage;
  if (!ReadPlanMedium(medium, codePage, &request, &problem)) {
    SayProblem("", problem, "");
    return kUnreadable;
  }
  std::string setupIni;
  if (FindMediumFile(medium, kOptionsFileName, codePage, &setupIni) != kRegularFile)
    setupIni = JoinFilePath(medium, kOptionsFileName);
  std::vector<std::unique_ptr<Plan>> plans;
  if (!MakePlans(request, all ? nullptr : platform, medium, &plans)) return kUnreadable;
  std::vector<const Plan*> made;
  for (const std::unique_ptr<Plan>& plan : plans) made.push_back(plan.get());
  Output output = {stdout, arguments.json, {}, 0, 0};
  if (all)
    PrintPlanTable(made, medium, setupIni.c_str(), &output);
  else
    PrintPlan(*made.front(), medium, setupIni.c_str(), &output);
  return output.failing > 0 ? kFindings : kClean;
}
