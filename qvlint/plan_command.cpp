#include "plan_command.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>

#include "arguments.h"
#include "base/options.h"
#include "byte_stream.h"
#include "medium_files.h"
#include "plan_output.h"

namespace {

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

// The file of --machine or --libraries into the request; false, having
// said why, when it can not be read or is no registry export.
bool ReadFileOption(const std::string& option, const char* path, PlanRequest* request) {
  std::string bytes, problem;
  if (!ReadFileBytes(path, &bytes)) {
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
  unsigned codePage;  // in which setup names the medium's files
};

// The usage error of a class that --plan does not know, with those it knows.
int UnknownClass(const char* name) {
  std::string known = " (";
  for (const PlanClass& each : kClassNames) known += std::string(each.name) + ", ";
  return UsageError("--plan: unknown class \"", name, ("\"" + known + "all)").c_str());
}

// The options into the request and the arguments. kGoOn, or the exit code
// with which the command ends, having said why: a file that can not be
// read, an unusable command line.
int ReadPlanArguments(int argc, char** argv, PlanRequest* request, PlanArguments* arguments) {
  for (int i = 1; i < argc; ++i) {
    const char* value = nullptr;
    int ended = kGoOn;
    if (ReadPlanOption(argc, argv, &i, request, &ended)) {
      if (ended != kGoOn) return ended;
    } else if (ValueOption(argc, argv, &i, "--plan", &value)) {
      if (value == nullptr) return MissingValue("--plan", "--plan CLASS|all");
      if (strcmp(value, "all") != 0 && FindClassName(value) == nullptr) return UnknownClass(value);
      arguments->className = value;
    } else if (strcmp(argv[i], "--json") == 0) {
      arguments->json = true;
    } else if (ValueOption(argc, argv, &i, "--codepage", &value)) {
      if (value == nullptr) return MissingValue("--codepage", "--codepage N");
      if (!ReadCodePage(value, &arguments->codePage)) return UnknownCodePage(value);
    } else if (LooksLikeOption(argv[i])) {
      return UnknownOption(argv[i]);
    } else if (arguments->medium != nullptr) {
      return UsageError("--plan: one medium directory only; \"", argv[i], "\" is a second");
    } else {
      arguments->medium = argv[i];
    }
  }
  if (arguments->className == nullptr) return MissingValue("--plan", "--plan CLASS|all");
  if (arguments->medium == nullptr) return UsageError("", "--plan: no medium directory given", "");
  return kGoOn;
}

}  // namespace

bool ReadPlanOption(int argc, char** argv, int* i, PlanRequest* request, int* ended) {
  const char* value = nullptr;
  if (ValueOption(argc, argv, i, "--switches", &value)) {
    if (value == nullptr)
      *ended = MissingValue("--switches", "--switches S|SD|SR|SDR");
    else if (!ReadSwitches(value, request))
      *ended = UsageError("--switches: unknown switches \"", value, "\" (S, SD, SR, SDR)");
  } else if (ValueOption(argc, argv, i, "--hardware-id", &value)) {
    if (value == nullptr) {
      *ended = MissingValue("--hardware-id", "--hardware-id ID|none");
    } else {
      request->noHardwareId = strcmp(value, "none") == 0;
      request->hasHardwareId = !request->noHardwareId;
      request->hardwareId = request->hasHardwareId ? value : "";
    }
  } else if (ValueOption(argc, argv, i, "--machine", &value)) {
    if (value == nullptr)
      *ended = MissingValue("--machine", "--machine FILE.reg");
    else if (!ReadFileOption("--machine", value, request))
      *ended = kUnusable;
  } else if (ValueOption(argc, argv, i, "--libraries", &value)) {
    if (value == nullptr)
      *ended = MissingValue("--libraries", "--libraries FILE");
    else if (!ReadFileOption("--libraries", value, request))
      *ended = kUnusable;
  } else if (ValueOption(argc, argv, i, "--windows-dir", &value)) {
    if (value == nullptr)
      *ended = MissingValue("--windows-dir", "--windows-dir DIR");
    else if (!ReadPlanDirectory(value, false, &request->windowsDir))
      *ended = UsageError("--windows-dir: \"", value, "\" is no directory of drive C:");
  } else if (ValueOption(argc, argv, i, "--medium-dir", &value)) {
    if (value == nullptr)
      *ended = MissingValue("--medium-dir", "--medium-dir DIR");
    else if (!ReadPlanDirectory(value, true, &request->mediumDir))
      *ended = UsageError("--medium-dir: \"", value,
                          "\" is no directory of drive C:, the one drive that the plan's "
                          "machine has");
  } else if (ValueOption(argc, argv, i, "--in-use", &value)) {
    if (value == nullptr)
      *ended = MissingValue("--in-use", "--in-use FILE");
    else
      request->inUse.push_back(value);
  } else if (ValueOption(argc, argv, i, "--free-space", &value)) {
    int64_t bytes = 0;
    if (value == nullptr)
      *ended = MissingValue("--free-space", "--free-space BYTES");
    else if (!ReadSeconds(value, &bytes))
      *ended = UsageError("--free-space: \"", value, "\" is no count of bytes");
    request->hasFreeSpace = true;
    request->freeSpace = static_cast<unsigned long long>(bytes);
  } else if (ValueOption(argc, argv, i, "--time", &value)) {
    if (value == nullptr)
      *ended = MissingValue("--time", "--time SECONDS");
    else if (!ReadSeconds(value, &request->startTime))
      *ended = UsageError("--time: \"", value, "\" is no count of seconds since 1970");
  } else {
    return false;
  }
  return true;
}

int PlanCommand(int argc, char** argv) {
  PlanRequest request = {};
  request.startTime = static_cast<int64_t>(time(nullptr));
  PlanArguments arguments = {nullptr, nullptr, false, kWesternCodePage};
  const int ended = ReadPlanArguments(argc, argv, &request, &arguments);
  if (ended != kGoOn) return ended;
  const char* medium = arguments.medium;
  const bool all = strcmp(arguments.className, "all") == 0;
  const PlanClass* platform = FindClassName(arguments.className);
  if (KindOfPath(medium) != kDirectoryFile) {
    SayProblem("", medium, ": is no medium directory");
    return kUnusable;
  }
  std::string problem;
  if (!ReadPlanMedium(medium, arguments.codePage, &request, &problem)) {
    SayProblem("", problem, "");
    return kUnusable;
  }
  const std::string setupIni = MediumSetupIniPath(medium, arguments.codePage);
  std::vector<std::unique_ptr<Plan>> plans;
  if (!MakePlans(request, all ? nullptr : platform, &plans, &problem)) {
    SayProblem("", medium, (": " + problem).c_str());
    return kUnusable;
  }
  std::vector<const Plan*> made;
  for (const std::unique_ptr<Plan>& plan : plans) made.push_back(plan.get());
  Output output = {stdout, arguments.json, false, {}, 0, 0, 0};
  if (all)
    PrintPlanTable(made, medium, setupIni.c_str(), &output);
  else
    PrintPlan(*made.front(), medium, setupIni.c_str(), &output);
  PrintClosingLine(stderr, output);
  return ExitCodeOf(output);
}
