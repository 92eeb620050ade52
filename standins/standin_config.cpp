#include "standin_config.h"

#include <string.h>

HMODULE StandinModule = nullptr;

namespace {

const char* const ConfigName = "qvstandin.ini";

}  // namespace

int StandinFilePath(char* out, const char* name) {
  char module[MAX_PATH];
  const DWORD length = GetModuleFileNameA(StandinModule, module, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 0;
  char* lastBackslash = strrchr(module, '\\');
  if (!lastBackslash) return 0;
  const size_t dirLength = static_cast<size_t>(lastBackslash - module) + 1;
  if (dirLength + strlen(name) >= MAX_PATH) return 0;
  memcpy(out, module, dirLength);
  strcpy(out + dirLength, name);
  return 1;
}

int ReadConfigNumber(const char* section, const char* key, int fallback) {
  char config[MAX_PATH];
  if (!StandinFilePath(config, ConfigName)) return fallback;
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, config));
}

void ReadConfigText(const char* section, const char* key, const char* fallback, char* out,
                    DWORD outSize) {
  char config[MAX_PATH];
  if (!StandinFilePath(config, ConfigName)) {
    lstrcpynA(out, fallback, static_cast<int>(outSize));
    return;
  }
  GetPrivateProfileStringA(section, key, fallback, out, outSize, config);
}

EntryConfig ReadEntryConfig(const char* section) {
  EntryConfig config;
  config.Result = ReadConfigNumber(section, "Result", 1);
  const int delay = ReadConfigNumber(section, "Delay", 0);
  config.Delay = delay > 0 ? static_cast<DWORD>(delay) : 0;
  config.Effect = ReadConfigNumber(section, "Effect", 1) != 0;
  return config;
}
